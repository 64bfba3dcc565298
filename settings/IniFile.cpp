#include "settings/IniFile.h"

#include "settings/IniText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace {

// Files are compared with the text in memory in pieces of this size, so
// that a check that finds them equal holds no second copy of the file.
constexpr qint64 ComparedPiece = 1 << 20;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// A value, key or section name occupies one line of the file; a line break
// inside it would cut the file's structure, so it becomes a blank.
QByteArray OneLine(const std::string& text)
{
    QByteArray line(text.data(), static_cast<qsizetype>(text.size()));
    line.replace('\r', ' ').replace('\n', ' ');
    return line;
}

// The value as it must be stored so that a read gives back exactly this
// text: quoted when reading would otherwise strip blanks or a pair of quotes.
QByteArray StoredValue(const std::string& value)
{
    const QByteArray line = OneLine(value);
    const bool losesBlanks = !line.isEmpty() && (IsBlank(line.front()) || IsBlank(line.back()));
    const bool losesQuotes = IniUnquoted(line).size() != line.size();
    if (losesBlanks || losesQuotes)
        return '"' + line + '"';
    return line;
}

std::optional<int32_t> ParseHexadecimal(QByteArrayView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    // The 32 bits are the value: "0xFFFFFFFF" is -1.
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ParseDecimal(QByteArrayView text)
{
    const bool negative = text.startsWith('-');
    if (negative || text.startsWith('+'))
        text = text.sliced(1);
    if (text.isEmpty())
        return std::nullopt;
    const int64_t limit = negative ? -int64_t { INT32_MIN } : int64_t { INT32_MAX };
    int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::optional<int32_t> ParseInteger(QByteArrayView text)
{
    if ((text.startsWith("0x") || text.startsWith("0X")) && text.size() > 2)
        return ParseHexadecimal(text.sliced(2));
    if (text.startsWith('$'))
        return ParseHexadecimal(text.sliced(1));
    return ParseDecimal(text);
}

// Whether the open file holds exactly these bytes.
bool HoldsBytes(QFile& file, const QByteArray& bytes)
{
    if (file.size() != bytes.size())
        return false;
    for (qsizetype offset = 0; offset < bytes.size();) {
        const QByteArray piece = file.read(ComparedPiece);
        if (piece.isEmpty() || piece.size() > bytes.size() - offset
            || QByteArrayView(bytes).sliced(offset, piece.size()) != piece)
            return false;
        offset += piece.size();
    }
    return true;
}

// The file as the system knows it: a file this object wrote and renamed into
// place is a new file, which another program can change only by writing it
// again, which changes this.
std::optional<std::array<int64_t, 6>> FileIdentity(const QString& path)
{
    struct stat status
    {
    };
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return std::array<int64_t, 6> { int64_t(status.st_dev), int64_t(status.st_ino),
        int64_t(status.st_size),
        int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
        int64_t(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec,
        int64_t(status.st_nlink) };
}

// Creates the folder and those above it that are missing, readable by this
// user alone, as a configuration folder is. True when it exists afterwards.
bool CreateFolder(const QByteArray& folder)
{
    struct stat status
    {
    };
    if (stat(folder.constData(), &status) == 0)
        return S_ISDIR(status.st_mode);
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash > 0 && !CreateFolder(folder.left(slash)))
        return false;
    return mkdir(folder.constData(), 0700) == 0 || errno == EEXIST;
}

QByteArray SeenKey(const std::string& section, const std::string& key)
{
    return IniText::FoldedName(section) + '\0' + IniText::FoldedName(key);
}

} // namespace

IniWriteError::IniWriteError(const QString& path)
    : std::runtime_error("Unable to write to " + path.toStdString())
{
}

IniFile::IniFile(const QString& path)
    : path_(QFileInfo(path).absoluteFilePath())
{
}

IniFile::~IniFile() = default;

// A missing file reads as empty; something that exists but cannot be read as
// a plain file (a folder, a device, no permission) is unreadable, so that a
// write never replaces it with a file that lacks its lines. The file is read
// on every call, but parsed again only when it changed.
bool IniFile::Refresh()
{
    const QFileInfo info(path_);
    if (!info.exists()) {
        text_ = std::make_unique<IniText>();
        return true;
    }
    QFile file(path_);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        text_.reset();
        return false;
    }
    if (text_ && ownWrite_ && FileIdentity(path_) == ownWrite_)
        return true;
    ownWrite_.reset();
    if (text_ && HoldsBytes(file, text_->Bytes()))
        return true;
    text_.reset();
    if (!file.seek(0))
        return false;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    text_ = std::make_unique<IniText>(std::move(bytes));
    return true;
}

std::optional<QByteArray> IniFile::StoredText(const std::string& section, const std::string& key)
{
    if (!Refresh())
        return std::nullopt;
    const IniText::Place place = text_->Find(section, key);
    if (place.keyBegin == IniText::NoOffset)
        return std::nullopt;
    return place.value.toByteArray();
}

void IniFile::Remember(const std::string& section, const std::string& key,
    std::optional<QByteArray> stored, std::string value)
{
    seen_[SeenKey(section, key)] = { std::move(stored), std::move(value) };
}

std::string IniFile::ReadString(
    const std::string& section, const std::string& key, const std::string& defaultValue)
{
    std::optional<QByteArray> text = StoredText(section, key);
    std::string value = text ? text->toStdString() : defaultValue;
    Remember(section, key, std::move(text), value);
    return value;
}

int32_t IniFile::ReadInteger(
    const std::string& section, const std::string& key, int32_t defaultValue)
{
    std::optional<QByteArray> text = StoredText(section, key);
    const int32_t value = text ? ParseInteger(*text).value_or(defaultValue) : defaultValue;
    Remember(section, key, std::move(text), std::to_string(value));
    return value;
}

void IniFile::WriteString(
    const std::string& section, const std::string& key, const std::string& value)
{
    if (!Refresh())
        throw IniWriteError(path_);
    const IniText::Place place = text_->Find(section, key);
    const std::optional<QByteArray> stored = place.keyBegin == IniText::NoOffset
        ? std::nullopt
        : std::optional<QByteArray>(place.value.toByteArray());

    // Two runs of the program may share the file. Writing back the value
    // this object read, after another run has stored something else there,
    // would undo that run's change: the value was not changed here, so the
    // file keeps the other one. A single run always finds its own text.
    const auto seen = seen_.find(SeenKey(section, key));
    if (seen != seen_.end() && seen->second.value == value && seen->second.stored != stored)
        return;

    auto updated = std::make_unique<IniText>(*text_);
    updated->SetKeyLine(place, OneLine(section), OneLine(key) + '=' + StoredValue(value));

    // The new content goes to a temporary file that replaces the old one only
    // when it is complete and synced, so a full disk or a crash never leaves
    // half a settings file. Unbuffered, because a buffered QSaveFile commits
    // after a short write (a full disk) without reporting it; written
    // directly, the short count shows.
    CreateFolder(QFile::encodeName(QFileInfo(path_).absolutePath()));
    QSaveFile file(path_);
    const QByteArray& bytes = updated->Bytes();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || file.write(bytes) != bytes.size() || !file.commit())
        throw IniWriteError(path_);
    text_ = std::move(updated);
    ownWrite_ = FileIdentity(path_);
    const IniText::Place written = text_->Find(section, key);
    Remember(section, key, written.value.toByteArray(), value);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}
