#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Reads a compiled Qt translation file with text IDs, the content of a
// language file, from bytes held in memory:
//
//   bytes → Open (every block, message, offset and hash checked) → Text(id)
//
// Qt's own loader trusts the offsets and lengths it finds, so a damaged file
// would make it read outside the file. This reader accepts a file only when
// its whole structure holds together, and reads texts with checked bounds
// even then. A file is refused when it is cut short, carries bytes outside
// its blocks, names other files (dependencies: a language file stands on its
// own), keeps its texts by context rather than by ID, or when a single offset,
// length or hash of it disagrees with the rest.
class LanguageFileReader
{
public:
    // The reader of the file, or none when the bytes are not a complete,
    // self-contained translation file with at least one message.
    static std::optional<LanguageFileReader> Open(QByteArray bytes);

    // The translation stored under the message ID (a text number such as
    // "551"); a null text when the file holds none.
    QString Text(QByteArrayView id) const;

    // The locale the file was translated for ("de_DE"), as its compiler
    // recorded it; empty when the file names none.
    QString Language() const;

    // The hash under which a message ID is filed, as the compiler computes it.
    static uint32_t IdHash(QByteArrayView id);

private:
    struct Span
    {
        uint32_t begin = 0;
        uint32_t size = 0;
    };

    // The parts of one message; each field is empty when the tag is absent.
    struct Message
    {
        std::optional<Span> translation;
        Span sourceText;
        Span context;
        Span comment;
    };

    LanguageFileReader() = default;

    bool ReadBlocks();
    bool ReadMessages(std::vector<uint32_t>& starts) const;
    bool CheckHashes(const std::vector<uint32_t>& starts) const;
    bool CheckNumerusRules() const;
    std::optional<Message> ReadMessage(uint32_t offset, uint32_t* next) const;
    QByteArrayView View(Span span) const;

    QByteArray bytes_;
    Span hashes_;
    Span messages_;
    std::optional<Span> numerusRules_;
    std::optional<Span> language_;
};
