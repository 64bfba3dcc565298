#include "settings/IniFile.h"

#include "settings/IniText.h"
#include "settings/LockedFile.h"
#include "settings/SettingsLocation.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace {

// Files are compared with the text in memory in pieces of this size, so
// that a check that finds them equal holds no second copy of the file.
constexpr qint64 ComparedPiece = 1 << 20;

// The next piece to read when `expected` more bytes should come: no more than
// that and one byte (which shows that the file grew), so that reading a small
// file, as every read of a value does, allocates no whole piece. Once the file
// has grown past what was expected, whole pieces.
qint64 NextPiece(qint64 expected)
{
    return expected >= 0 ? std::min(ComparedPiece, expected + 1) : ComparedPiece;
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
    const bool losesBlanks
        = !line.isEmpty() && (IsIniBlank(line.front()) || IsIniBlank(line.back()));
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
        const QByteArray piece = file.read(NextPiece(bytes.size() - offset));
        if (piece.isEmpty() || piece.size() > bytes.size() - offset
            || QByteArrayView(bytes).sliced(offset, piece.size()) != piece)
            return false;
        offset += piece.size();
    }
    return true;
}

QString TooLarge()
{
    return QStringLiteral("Larger than %1 MiB").arg(IniFile::MaximumFileSize >> 20);
}

QByteArray SeenKey(const std::string& section, const std::string& key)
{
    return IniText::FoldedName(section) + '\0' + IniText::FoldedName(key);
}

} // namespace

IniWriteError::IniWriteError(const QString& path, const QString& reason)
    : std::runtime_error(
        QStringLiteral("Unable to write to %1: %2").arg(path, reason).toStdString())
{
}

IniFile::IniFile(const QString& path)
    : path_(QFileInfo(path).absoluteFilePath())
{
}

IniFile::~IniFile() = default;

// Brings the text up to the locked file and returns why it cannot be read,
// or nothing. A missing file reads as empty; something that exists but
// cannot be read as a plain file (a folder, a device, no permission, larger
// than MaximumFileSize) is unreadable, so that a write never replaces it
// with a file that lacks its lines. The file is parsed again only when it
// changed.
std::optional<QString> IniFile::Refresh(const LockedFile& file)
{
    if (file.IsMissing()) {
        text_ = std::make_unique<IniText>();
        return std::nullopt;
    }
    if (!file.IsOpen()) {
        text_.reset();
        return file.Failure();
    }
    // Told by the size alone: nothing of a huge or sparse file is read.
    if (file.Size() > MaximumFileSize) {
        text_.reset();
        return TooLarge();
    }
    QFile in;
    if (!in.open(file.Descriptor(), QIODevice::ReadOnly | QIODevice::Unbuffered,
            QFileDevice::DontCloseHandle)) {
        text_.reset();
        return in.errorString();
    }
    if (text_ && HoldsBytes(in, text_->Bytes()))
        return std::nullopt;
    text_.reset();
    QByteArray bytes;
    if (in.seek(0)) {
        // In pieces: the file may have grown since its size was looked at.
        const qint64 size = file.Size();
        for (QByteArray piece = in.read(NextPiece(size));
             !piece.isEmpty() && bytes.size() <= MaximumFileSize;
             piece = in.read(NextPiece(size - bytes.size())))
            bytes += piece;
    }
    if (in.error() != QFileDevice::NoError)
        return in.errorString();
    if (bytes.size() > MaximumFileSize)
        return TooLarge();
    text_ = std::make_unique<IniText>(std::move(bytes));
    return std::nullopt;
}

std::optional<QByteArray> IniFile::StoredText(const std::string& section, const std::string& key)
{
    const LockedFile file(path_, LockedFile::Access::Read);
    if (Refresh(file))
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
    // The file stays locked from the reading to the replacing: another
    // copy's change in between would be lost otherwise.
    try {
        LockedFile file(path_, LockedFile::Access::Write);
        if (const std::optional<QString> failure = Refresh(file))
            throw FileError(failure->toStdString());
        const IniText::Place place = text_->Find(section, key);
        const std::optional<QByteArray> stored = place.keyBegin == IniText::NoOffset
            ? std::nullopt
            : std::optional<QByteArray>(place.value.toByteArray());

        // Two runs of the program may share the file. Writing back the value
        // this object read, after another run has stored something else
        // there, would undo that run's change: the value was not changed
        // here, so the file keeps the other one. A single run always finds
        // its own text.
        const auto seen = seen_.find(SeenKey(section, key));
        if (seen != seen_.end() && seen->second.value == value && seen->second.stored != stored)
            return;

        auto updated = std::make_unique<IniText>(*text_);
        updated->SetKeyLine(place, OneLine(section), OneLine(key) + '=' + StoredValue(value));
        file.Replace(updated->Bytes());
        text_ = std::move(updated);
    } catch (const FileError& error) {
        const IniWriteError failure(ShownPath(path_), QString::fromStdString(error.what()));
        lastWriteFailure_ = failure.what();
        throw failure;
    }
    const IniText::Place written = text_->Find(section, key);
    Remember(section, key, written.value.toByteArray(), value);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::RemoveStaleTemporaries()
{
    LockedFile(path_, LockedFile::Access::Read).RemoveStaleTemporaries();
}
