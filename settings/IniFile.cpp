#include "settings/IniFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <vector>

namespace {

constexpr qsizetype NoLine = -1;
constexpr QByteArrayView ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

QByteArrayView Unquoted(QByteArrayView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

bool SameName(QByteArrayView stored, const QString& wanted)
{
    return QString::compare(QString::fromUtf8(stored), wanted, Qt::CaseInsensitive) == 0;
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
    const bool losesQuotes = Unquoted(line).size() != line.size();
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

struct FileContent
{
    bool readable = true;
    QByteArray bytes;
};

// A missing file reads as empty; something that exists but cannot be read as
// a plain file (a folder, a device, no permission) is unreadable, so that a
// write never replaces it with a file that lacks its lines.
FileContent Load(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile())
        return { false, {} };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { false, {} };
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return { false, {} };
    return { true, std::move(bytes) };
}

// The lines of one state of the file and the place of one key among them.
class IniText
{
public:
    struct Place
    {
        qsizetype keyLine = NoLine;
        // The last line of the first section of that name that is neither
        // blank nor a comment; a new key goes after it, so that comments and
        // blank lines in front of the next section stay with that section.
        qsizetype lastLineOfSection = NoLine;
        QByteArrayView value;
    };

    explicit IniText(QByteArray bytes)
        : bytes_(std::move(bytes))
    {
        qsizetype begin = bytes_.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
        while (begin < bytes_.size()) {
            const qsizetype lineFeed = bytes_.indexOf('\n', begin);
            const qsizetype next = lineFeed < 0 ? bytes_.size() : lineFeed + 1;
            qsizetype end = lineFeed < 0 ? bytes_.size() : lineFeed;
            if (end > begin && bytes_.at(end - 1) == '\r')
                --end;
            lines_.push_back({ begin, end, next });
            begin = next;
        }
        const qsizetype firstLineFeed = bytes_.indexOf('\n');
        if (firstLineFeed > 0 && bytes_.at(firstLineFeed - 1) == '\r')
            lineBreak_ = "\r\n";
    }

    Place Find(const QString& section, const QString& key) const
    {
        Place place;
        bool inSection = false;
        bool inFirstSection = false;
        for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
            const QByteArrayView text = Trimmed(Content(i));
            if (text.startsWith('[')) {
                const qsizetype close = text.indexOf(']');
                if (close > 0) {
                    inSection = SameName(Trimmed(text.sliced(1, close - 1)), section);
                    inFirstSection = inSection && place.lastLineOfSection == NoLine;
                    if (inFirstSection)
                        place.lastLineOfSection = i;
                    continue;
                }
            }
            if (!inSection || text.isEmpty() || text.front() == ';' || text.front() == '#')
                continue;
            if (inFirstSection)
                place.lastLineOfSection = i;
            const qsizetype equals = text.indexOf('=');
            if (equals >= 0 && SameName(Trimmed(text.first(equals)), key)) {
                place.keyLine = i;
                place.value = Unquoted(Trimmed(text.sliced(equals + 1)));
                return place;
            }
        }
        return place;
    }

    // The file with the key line set at its place: the line of the key
    // replaced, or a new line at the end of its section, or a new section at
    // the end of the file. Every other byte stays as it was.
    QByteArray WithKeyLine(
        const Place& place, const QByteArray& section, const QByteArray& keyLine) const
    {
        if (place.keyLine != NoLine) {
            const Line& line = lines_[place.keyLine];
            return bytes_.first(line.begin) + keyLine + bytes_.sliced(line.end);
        }
        if (place.lastLineOfSection != NoLine) {
            const Line& line = lines_[place.lastLineOfSection];
            QByteArray updated = bytes_.first(line.next);
            TerminateLastLine(updated);
            return updated + keyLine + lineBreak_ + bytes_.sliced(line.next);
        }
        QByteArray updated = bytes_;
        TerminateLastLine(updated);
        if (!lines_.empty() && !Trimmed(Content(lines_.size() - 1)).isEmpty())
            updated += lineBreak_;
        return updated + '[' + section + ']' + lineBreak_ + keyLine + lineBreak_;
    }

private:
    struct Line
    {
        qsizetype begin;
        qsizetype end; // without the line break
        qsizetype next;
    };

    QByteArrayView Content(qsizetype index) const
    {
        const Line& line = lines_[index];
        return QByteArrayView(bytes_).sliced(line.begin, line.end - line.begin);
    }

    // Ends the text with a line break when its last line has none, so that a
    // line appended after it stands on its own.
    void TerminateLastLine(QByteArray& text) const
    {
        if (lines_.empty() || text.endsWith('\n'))
            return;
        text += text.endsWith('\r') ? QByteArray("\n") : lineBreak_;
    }

    QByteArray bytes_;
    std::vector<Line> lines_;
    QByteArray lineBreak_ = "\n";
};

std::optional<QByteArray> StoredText(
    const QString& path, const std::string& section, const std::string& key)
{
    const IniText text(Load(path).bytes);
    const IniText::Place place
        = text.Find(QString::fromStdString(section), QString::fromStdString(key));
    if (place.keyLine == NoLine)
        return std::nullopt;
    return place.value.toByteArray();
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

std::string IniFile::ReadString(
    const std::string& section, const std::string& key, const std::string& defaultValue)
{
    const std::optional<QByteArray> text = StoredText(path_, section, key);
    return text ? text->toStdString() : defaultValue;
}

int32_t IniFile::ReadInteger(
    const std::string& section, const std::string& key, int32_t defaultValue)
{
    const std::optional<QByteArray> text = StoredText(path_, section, key);
    if (!text)
        return defaultValue;
    return ParseInteger(*text).value_or(defaultValue);
}

void IniFile::WriteString(
    const std::string& section, const std::string& key, const std::string& value)
{
    const FileContent current = Load(path_);
    if (!current.readable)
        throw IniWriteError(path_);
    const IniText text(current.bytes);
    const IniText::Place place
        = text.Find(QString::fromStdString(section), QString::fromStdString(key));
    const QByteArray updated
        = text.WithKeyLine(place, OneLine(section), OneLine(key) + '=' + StoredValue(value));

    // The new content goes to a temporary file that replaces the old one only
    // when it is complete and synced, so a full disk or a crash never leaves
    // half a settings file. Unbuffered, because a buffered QSaveFile commits
    // after a short write (a full disk) without reporting it; written
    // directly, the short count shows.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || file.write(updated) != updated.size() || !file.commit())
        throw IniWriteError(path_);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}
