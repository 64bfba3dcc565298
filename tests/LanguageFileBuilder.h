#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>

#include "localisation/LanguageFileReader.h"

// Builds language files byte by byte, laid out as the translation compiler
// lays them out, so that tests can hold texts of any content and damage any
// part of a file on purpose.
namespace LanguageFileBuilder {

inline const QByteArray Magic = QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1bddd");

inline QByteArray Big32(uint32_t value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value >> (24 - 8 * i));
    return bytes;
}

inline QByteArray Block(unsigned char tag, const QByteArray& content)
{
    return char(tag) + Big32(uint32_t(content.size())) + content;
}

inline QByteArray Utf16(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text)
        bytes += char(c.unicode() >> 8) + QByteArray(1, char(c.unicode() & 0xff));
    return bytes;
}

// A language file built the way the compiler lays one out: language, hash
// table, messages (translation, empty comment, ID, empty context, end); then
// whatever a test adds.
struct FileParts
{
    QByteArray language = Block(0xa7, "de_DE");
    QByteArray hashes;
    QByteArray messages;
    QByteArray extra;

    explicit FileParts(const std::map<QByteArray, QString>& texts)
    {
        std::multimap<uint32_t, uint32_t> table;
        QByteArray block;
        for (const auto& [id, text] : texts) {
            table.emplace(LanguageFileReader::IdHash(id), uint32_t(block.size()));
            block += Block(3, Utf16(text)) + Block(8, {}) + Block(6, id) + Block(7, {}) + '\x01';
        }
        QByteArray entries;
        for (const auto& [hash, offset] : table)
            entries += Big32(hash) + Big32(offset);
        hashes = Block(0x42, entries);
        messages = Block(0x69, block);
    }

    QByteArray Bytes() const { return Magic + language + hashes + messages + extra; }
};

} // namespace LanguageFileBuilder
