#include "localisation/LanguageFileReader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::array<unsigned char, 16> Magic { 0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
    0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd };

// Block tags of the file.
enum BlockTag : unsigned char
{
    ContextsBlock = 0x2f,
    HashesBlock = 0x42,
    MessagesBlock = 0x69,
    NumerusRulesBlock = 0x88,
    DependenciesBlock = 0x96,
    LanguageBlock = 0xa7
};

// Tags inside a message. The 16-bit source and context forms belong to files
// of an older kind, which the compiler no longer writes.
enum MessageTag : unsigned char
{
    EndTag = 1,
    TranslationTag = 3,
    ObsoleteTag = 5,
    SourceTextTag = 6,
    ContextTag = 7,
    CommentTag = 8
};

// Opcodes of the plural rules: a comparison in the low three bits, modifiers
// above; rules are joined by the three separators.
constexpr unsigned char RuleEqual = 0x01;
constexpr unsigned char RuleBetween = 0x04;
constexpr unsigned char RuleOperatorMask = 0x07;
constexpr unsigned char RuleAnd = 0xfd;
constexpr unsigned char RuleOr = 0xfe;
constexpr unsigned char RuleNext = 0xff;

constexpr uint32_t BlockHeaderSize = 5;
constexpr uint32_t HashEntrySize = 8;

uint32_t Read32(const char* at)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(at);
    return uint32_t { bytes[0] } << 24 | uint32_t { bytes[1] } << 16 | uint32_t { bytes[2] } << 8
        | uint32_t { bytes[3] };
}

// A stored name may end in a zero byte that is not part of it.
QByteArrayView WithoutTerminator(QByteArrayView text)
{
    if (!text.isEmpty() && text.back() == '\0')
        text.chop(1);
    return text;
}

void ContinueHash(QByteArrayView text, uint32_t& hash)
{
    for (const char c : text) {
        if (c == '\0')
            break;
        hash = (hash << 4) + static_cast<unsigned char>(c);
        const uint32_t high = hash & 0xf0000000u;
        if (high != 0)
            hash ^= high >> 24;
        hash &= ~high;
    }
}

} // namespace

uint32_t LanguageFileReader::IdHash(QByteArrayView id)
{
    uint32_t hash = 0;
    ContinueHash(id, hash);
    return hash == 0 ? 1 : hash;
}

std::optional<LanguageFileReader> LanguageFileReader::Open(QByteArray bytes)
{
    // Offsets inside the file are 32 bits wide.
    if (bytes.size() < qsizetype(Magic.size()) || bytes.size() > qsizetype(INT32_MAX)
        || std::memcmp(bytes.constData(), Magic.data(), Magic.size()) != 0)
        return std::nullopt;
    LanguageFileReader reader;
    reader.bytes_ = std::move(bytes);
    std::vector<uint32_t> messageStarts;
    if (!reader.ReadBlocks() || !reader.ReadMessages(messageStarts)
        || !reader.CheckHashes(messageStarts) || !reader.CheckNumerusRules())
        return std::nullopt;
    return reader;
}

// The file is the magic followed by blocks (tag, 32-bit length, content) that
// end exactly where the file ends. Each known block at most once; a block of
// another tag, an empty block or a cut one means the file is damaged.
bool LanguageFileReader::ReadBlocks()
{
    const uint32_t size = static_cast<uint32_t>(bytes_.size());
    uint32_t position = Magic.size();
    std::optional<Span> hashes;
    std::optional<Span> messages;
    while (position < size) {
        if (size - position < BlockHeaderSize)
            return false;
        const auto tag = static_cast<unsigned char>(bytes_[position]);
        const uint32_t length = Read32(bytes_.constData() + position + 1);
        position += BlockHeaderSize;
        if (length == 0 || length > size - position)
            return false;
        const Span content { position, length };
        position += length;
        switch (tag) {
        case HashesBlock:
            if (hashes)
                return false;
            hashes = content;
            break;
        case MessagesBlock:
            if (messages)
                return false;
            messages = content;
            break;
        case NumerusRulesBlock:
            if (numerusRules_)
                return false;
            numerusRules_ = content;
            break;
        case LanguageBlock:
            if (language_)
                return false;
            language_ = content;
            break;
        case DependenciesBlock: // names other files
        case ContextsBlock: // texts by context, not by ID
        default:
            return false;
        }
    }
    if (!hashes || !messages || hashes->size % HashEntrySize != 0)
        return false;
    hashes_ = *hashes;
    messages_ = *messages;
    return true;
}

// Reads the message that starts at the offset inside the messages block;
// none when a tag is unknown or a length runs past the block before the end
// tag. *next receives the offset after the end tag.
std::optional<LanguageFileReader::Message> LanguageFileReader::ReadMessage(
    uint32_t offset, uint32_t* next) const
{
    Message message;
    const char* block = bytes_.constData() + messages_.begin;
    const uint32_t size = messages_.size;
    while (offset < size) {
        const auto tag = static_cast<unsigned char>(block[offset++]);
        if (tag == EndTag) {
            *next = offset;
            return message;
        }
        if (size - offset < 4)
            return std::nullopt;
        const uint32_t length = Read32(block + offset);
        offset += 4;
        if (tag == ObsoleteTag)
            continue;
        if (length > size - offset)
            return std::nullopt;
        const Span span { messages_.begin + offset, length };
        offset += length;
        switch (tag) {
        case TranslationTag:
            // UTF-16 code units; the first translation is the one without plural.
            if (length % 2 != 0)
                return std::nullopt;
            if (!message.translation)
                message.translation = span;
            break;
        case SourceTextTag:
            message.sourceText = span;
            break;
        case ContextTag:
            message.context = span;
            break;
        case CommentTag:
            message.comment = span;
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The messages block is a sequence of whole messages, nothing between them.
bool LanguageFileReader::ReadMessages(std::vector<uint32_t>& starts) const
{
    uint32_t offset = 0;
    while (offset < messages_.size) {
        starts.push_back(offset);
        uint32_t next = 0;
        if (!ReadMessage(offset, &next))
            return false;
        offset = next;
    }
    return true;
}

// The hash table lists (hash, offset) pairs in ascending order of hash; every
// offset must be the start of a message, and the hash that of its source text
// and comment. A single changed byte in the table is found here.
bool LanguageFileReader::CheckHashes(const std::vector<uint32_t>& starts) const
{
    const char* table = bytes_.constData() + hashes_.begin;
    uint32_t previous = 0;
    for (uint32_t entry = 0; entry < hashes_.size; entry += HashEntrySize) {
        const uint32_t hash = Read32(table + entry);
        const uint32_t offset = Read32(table + entry + 4);
        if (hash < previous || !std::binary_search(starts.begin(), starts.end(), offset))
            return false;
        previous = hash;
        uint32_t next = 0;
        const std::optional<Message> message = ReadMessage(offset, &next);
        if (!message)
            return false;
        uint32_t expected = 0;
        ContinueHash(View(message->sourceText), expected);
        ContinueHash(View(message->comment), expected);
        if (hash != (expected == 0 ? 1 : expected))
            return false;
    }
    return true;
}

// Plural rules: comparisons (opcode and one operand, two for "between"),
// joined by "and", "or" and "next rule". The program never asks for a plural,
// but a rule block that does not parse marks a damaged file.
bool LanguageFileReader::CheckNumerusRules() const
{
    if (!numerusRules_)
        return true;
    const QByteArrayView rules = View(*numerusRules_);
    qsizetype i = 0;
    for (;;) {
        const auto opcode = static_cast<unsigned char>(rules[i++]);
        const unsigned char comparison = opcode & RuleOperatorMask;
        if ((opcode & 0x80) != 0 || comparison < RuleEqual || comparison > RuleBetween)
            return false;
        const qsizetype operands = comparison == RuleBetween ? 2 : 1;
        if (rules.size() - i < operands)
            return false;
        i += operands;
        if (i == rules.size())
            return true;
        const auto separator = static_cast<unsigned char>(rules[i++]);
        if ((separator != RuleAnd && separator != RuleOr && separator != RuleNext)
            || i == rules.size())
            return false;
    }
}

QByteArrayView LanguageFileReader::View(Span span) const
{
    return QByteArrayView(bytes_).sliced(span.begin, span.size);
}

QString LanguageFileReader::Language() const
{
    if (!language_)
        return {};
    return QString::fromUtf8(WithoutTerminator(View(*language_)));
}

QString LanguageFileReader::Text(QByteArrayView id) const
{
    const uint32_t hash = IdHash(id);
    const char* table = bytes_.constData() + hashes_.begin;
    const uint32_t entries = hashes_.size / HashEntrySize;
    // First entry of the hash, by bisection over the sorted table.
    uint32_t low = 0;
    uint32_t high = entries;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        if (Read32(table + middle * HashEntrySize) < hash)
            low = middle + 1;
        else
            high = middle;
    }
    for (uint32_t entry = low; entry < entries; ++entry) {
        if (Read32(table + entry * HashEntrySize) != hash)
            break;
        uint32_t next = 0;
        const std::optional<Message> message
            = ReadMessage(Read32(table + entry * HashEntrySize + 4), &next);
        if (!message || !message->translation
            || WithoutTerminator(View(message->sourceText)) != WithoutTerminator(id)
            || !WithoutTerminator(View(message->context)).isEmpty()
            || !WithoutTerminator(View(message->comment)).isEmpty())
            continue;
        const QByteArrayView units = View(*message->translation);
        QString text(units.size() / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(static_cast<char16_t>(static_cast<unsigned char>(units[2 * i]) << 8
                | static_cast<unsigned char>(units[2 * i + 1])));
        return text;
    }
    return {};
}
