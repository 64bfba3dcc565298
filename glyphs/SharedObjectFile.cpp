#include "glyphs/SharedObjectFile.h"

#include <QFile>

#include <elf.h>
#include <link.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

#if defined(__x86_64__)
constexpr int NativeMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr int NativeMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr int NativeMachine = EM_386;
#elif defined(__arm__)
constexpr int NativeMachine = EM_ARM;
#elif defined(__riscv)
constexpr int NativeMachine = EM_RISCV;
#else
// Another machine: the loader itself refuses a library built for a third.
constexpr int NativeMachine = EM_NONE;
#endif

constexpr unsigned char NativeClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;
constexpr unsigned char NativeData
    = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB;

// Whether count entries of entrySize bytes from offset lie inside size
// bytes, without overflow.
bool Inside(uint64_t offset, uint64_t count, uint64_t entrySize, uint64_t size)
{
    if (offset > size || (entrySize != 0 && count > (size - offset) / entrySize))
        return false;
    return true;
}

template <class Entry>
bool ReadTable(QFile& file, uint64_t offset, uint64_t count, std::vector<Entry>& table)
{
    table.resize(count);
    const qint64 bytes = qint64(count * sizeof(Entry));
    return file.seek(qint64(offset))
        && file.read(reinterpret_cast<char*>(table.data()), bytes) == bytes;
}

bool HeaderFits(const ElfW(Ehdr) & header)
{
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0
        && header.e_ident[EI_CLASS] == NativeClass && header.e_ident[EI_DATA] == NativeData
        && header.e_ident[EI_VERSION] == EV_CURRENT && header.e_type == ET_DYN
        && (NativeMachine == EM_NONE || header.e_machine == NativeMachine)
        && header.e_ehsize == sizeof(ElfW(Ehdr));
}

bool SegmentsInside(QFile& file, const ElfW(Ehdr) & header, uint64_t size)
{
    if (header.e_phentsize != sizeof(ElfW(Phdr)) || header.e_phnum == 0 || header.e_phnum == PN_XNUM
        || !Inside(header.e_phoff, header.e_phnum, sizeof(ElfW(Phdr)), size))
        return false;
    std::vector<ElfW(Phdr)> segments;
    if (!ReadTable(file, header.e_phoff, header.e_phnum, segments))
        return false;
    bool loads = false;
    bool dynamic = false;
    for (const ElfW(Phdr) & segment : segments) {
        if (!Inside(segment.p_offset, segment.p_filesz, 1, size))
            return false;
        if (segment.p_type == PT_LOAD && segment.p_filesz > segment.p_memsz)
            return false;
        loads = loads || segment.p_type == PT_LOAD;
        dynamic = dynamic || segment.p_type == PT_DYNAMIC;
    }
    return loads && dynamic;
}

// A library may come without section headers (they are not loaded); when it
// has them, they and what they describe are part of the file.
bool SectionsInside(QFile& file, const ElfW(Ehdr) & header, uint64_t size)
{
    if (header.e_shoff == 0)
        return true;
    // No count here means more sections than the header can count: never a
    // glyph library.
    if (header.e_shentsize != sizeof(ElfW(Shdr)) || header.e_shnum == 0
        || !Inside(header.e_shoff, header.e_shnum, sizeof(ElfW(Shdr)), size)
        || header.e_shstrndx >= header.e_shnum)
        return false;
    std::vector<ElfW(Shdr)> sections;
    if (!ReadTable(file, header.e_shoff, header.e_shnum, sections))
        return false;
    for (const ElfW(Shdr) & section : sections) {
        if (section.sh_type != SHT_NOBITS && !Inside(section.sh_offset, section.sh_size, 1, size))
            return false;
    }
    return true;
}

} // namespace

bool IsWholeSharedObject(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    ElfW(Ehdr) header {};
    if (size < qint64(sizeof header)
        || file.read(reinterpret_cast<char*>(&header), sizeof header) != qint64(sizeof header))
        return false;
    return HeaderFits(header) && SegmentsInside(file, header, uint64_t(size))
        && SectionsInside(file, header, uint64_t(size));
}
