#include "settings/IniText.h"

#include <QString>

#include <algorithm>
#include <cstring>

bool IsIniBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

namespace {

constexpr QByteArrayView ByteOrderMark = "\xEF\xBB\xBF";

QByteArrayView Trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && IsIniBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsIniBlank(text.back()))
        text.chop(1);
    return text;
}

// Where the first line begins, after a byte order mark.
qsizetype TextStart(QByteArrayView bytes)
{
    return bytes.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
}

bool IsComment(QByteArrayView text)
{
    return text.front() == ';' || text.front() == '#';
}

// The section name of a header line "[name]"; none for any other line.
std::optional<QByteArrayView> HeaderName(QByteArrayView text)
{
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    if (close <= 0)
        return std::nullopt;
    return Trimmed(text.sliced(1, close - 1));
}

// A line of the file: where it begins, where its text ends (before the line
// break) and where the next line begins.
struct Line
{
    qsizetype begin;
    qsizetype end;
    qsizetype next;
};

// The line that holds position, in a file whose lines begin at start.
Line LineAround(const char* data, qsizetype size, qsizetype start, qsizetype position)
{
    qsizetype begin = position;
    while (begin > start && data[begin - 1] != '\n')
        --begin;
    const auto* lineFeed
        = static_cast<const char*>(std::memchr(data + position, '\n', size - position));
    const qsizetype next = lineFeed == nullptr ? size : lineFeed - data + 1;
    qsizetype end = lineFeed == nullptr ? size : lineFeed - data;
    if (end > begin && data[end - 1] == '\r')
        --end;
    return { begin, end, next };
}

} // namespace

QByteArrayView IniUnquoted(QByteArrayView value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

QByteArray IniText::FoldedName(QByteArrayView name)
{
    const bool ascii = std::all_of(
        name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return name.toByteArray().toLower();
    return QString::fromUtf8(name).toCaseFolded().toUtf8();
}

IniText::IniText(QByteArray bytes)
    : bytes_(std::move(bytes))
{
    FindLineBreak();
    Index(TextStart(bytes_));
}

void IniText::FindLineBreak()
{
    const qsizetype firstLineFeed = bytes_.indexOf('\n');
    lineBreak_ = firstLineFeed > 0 && bytes_.at(firstLineFeed - 1) == '\r' ? "\r\n" : "\n";
}

// Indexes the lines from start, which begins a line, to the end of the file;
// lines before it belong to no section as far as this pass knows.
void IniText::Index(qsizetype start)
{
    const char* data = bytes_.constData();
    const qsizetype size = bytes_.size();
    qsizetype section = -1; // index into sections_
    bool firstOfName = false;
    Stretch open { NoOffset, NoOffset };
    const auto closeStretch = [&] {
        if (section >= 0 && open.begin != NoOffset)
            AddStretch(sections_[section], open, firstOfName);
        open = { NoOffset, NoOffset };
    };
    QByteArrayView previousName;
    qsizetype previousSection = -1;

    qsizetype position = start;
    while (position < size) {
        // Blank lines, however many, are passed over a byte at a time.
        const char c = data[position];
        if (c == '\n' || IsIniBlank(c)) {
            ++position;
            continue;
        }
        const Line line = LineAround(data, size, start, position);
        position = line.next;
        const QByteArrayView text
            = Trimmed(QByteArrayView(data + line.begin, line.end - line.begin));

        if (const std::optional<QByteArrayView> name = HeaderName(text)) {
            closeStretch();
            // A file of one header repeated is read without folding each.
            if (previousSection < 0 || *name != previousName) {
                previousSection = SectionEntry(*name);
                previousName = *name;
            }
            section = previousSection;
            firstOfName = sections_[section].insertAt == NoOffset;
            if (firstOfName)
                sections_[section].insertAt = line.next;
            continue;
        }
        if (section < 0 || IsComment(text))
            continue;
        if (open.begin == NoOffset)
            open.begin = line.begin;
        open.end = line.end;
        if (firstOfName)
            sections_[section].insertAt = line.next;
    }
    closeStretch();
}

// The first section's stretch goes in front, where a new key of that name
// joins it.
void IniText::AddStretch(Section& section, Stretch stretch, bool ofFirstSection)
{
    if (ofFirstSection) {
        section.firstHasStretch = true;
        section.stretches.insert(section.stretches.begin(), stretch);
    } else {
        section.stretches.push_back(stretch);
    }
}

// The entry of the sections of that name, made at the first of them.
qsizetype IniText::SectionEntry(QByteArrayView name)
{
    const QByteArray folded = FoldedName(name);
    auto found = index_.constFind(folded);
    if (found == index_.cend()) {
        found = index_.insert(folded, qsizetype(sections_.size()));
        sections_.emplace_back();
    }
    return *found;
}

IniText::Place IniText::Find(QByteArrayView sectionName, QByteArrayView key) const
{
    Place place;
    const auto found = index_.constFind(FoldedName(sectionName));
    if (found == index_.cend())
        return place;
    const Section& section = sections_[*found];
    place.section = *found;
    place.insertAt = section.insertAt;
    const QByteArray wanted = FoldedName(key);
    const char* data = bytes_.constData();
    for (const Stretch& stretch : section.stretches) {
        qsizetype position = stretch.begin;
        while (position < stretch.end) {
            const auto* lineFeed = static_cast<const char*>(
                std::memchr(data + position, '\n', stretch.end - position));
            qsizetype end = lineFeed == nullptr ? stretch.end : lineFeed - data;
            const qsizetype next = lineFeed == nullptr ? stretch.end : end + 1;
            if (end > position && data[end - 1] == '\r')
                --end;
            const QByteArrayView text = Trimmed(QByteArrayView(data + position, end - position));
            if (!text.isEmpty() && !IsComment(text)) {
                const qsizetype equals = text.indexOf('=');
                if (equals >= 0 && FoldedName(Trimmed(text.first(equals))) == wanted) {
                    place.keyBegin = position;
                    place.keyEnd = end;
                    place.value = IniUnquoted(Trimmed(text.sliced(equals + 1)));
                    return place;
                }
            }
            position = next;
        }
    }
    return place;
}

namespace {

// Joins the pieces into one new array, allocated once: the file may be large,
// and a chain of sums would hold several copies of it at once.
QByteArray Joined(std::initializer_list<QByteArrayView> pieces)
{
    qsizetype size = 0;
    for (const QByteArrayView piece : pieces)
        size += piece.size();
    QByteArray joined;
    joined.reserve(size);
    for (const QByteArrayView piece : pieces)
        joined.append(piece);
    return joined;
}

// Whether the last line of the file holds blanks only.
bool LastLineBlank(QByteArrayView bytes)
{
    const qsizetype start = TextStart(bytes);
    qsizetype end = bytes.size();
    if (bytes.endsWith('\n'))
        --end;
    const qsizetype lineBegin
        = end > start ? std::max(start, bytes.lastIndexOf('\n', end - 1) + 1) : end;
    return Trimmed(bytes.sliced(lineBegin, end - lineBegin)).isEmpty();
}

} // namespace

// Whether a line set by a write is a line of keys, as a fresh pass over the
// file would see it, so that the index can take it without a new pass.
bool IniText::IsKeyLine(QByteArrayView line)
{
    const QByteArrayView text = Trimmed(line);
    return !text.isEmpty() && !IsComment(text) && !HeaderName(text) && !text.contains('\n');
}

void IniText::Shift(qsizetype from, qsizetype delta)
{
    for (Section& section : sections_) {
        if (section.insertAt != NoOffset && section.insertAt >= from)
            section.insertAt += delta;
        for (Stretch& stretch : section.stretches) {
            if (stretch.begin >= from)
                stretch.begin += delta;
            if (stretch.end >= from)
                stretch.end += delta;
        }
    }
}

void IniText::SetKeyLine(
    const Place& place, const QByteArray& sectionName, const QByteArray& keyLine)
{
    if (place.keyBegin != NoOffset)
        ReplaceKeyLine(place, keyLine);
    else if (place.insertAt != NoOffset)
        InsertKeyLine(place, keyLine);
    else
        AppendSection(sectionName, keyLine);
}

// The key's line replaced: what follows it moves.
void IniText::ReplaceKeyLine(const Place& place, const QByteArray& keyLine)
{
    const QByteArrayView bytes(bytes_);
    QByteArray updated
        = Joined({ bytes.first(place.keyBegin), keyLine, bytes.sliced(place.keyEnd) });
    const qsizetype delta = keyLine.size() - (place.keyEnd - place.keyBegin);
    bytes_ = std::move(updated);
    FindLineBreak();
    if (!IsKeyLine(keyLine))
        return Reindex();
    Shift(place.keyEnd, delta);
}

// A new line at the end of the first section of that name: it joins (or
// starts) that section's first stretch, and what follows moves.
void IniText::InsertKeyLine(const Place& place, const QByteArray& keyLine)
{
    const QByteArrayView bytes(bytes_);
    // The line break written, which the new bytes may change.
    const QByteArray lineBreak = lineBreak_;
    const QByteArrayView before = bytes.first(place.insertAt);
    const QByteArray ending = MissingLineBreak(before);
    QByteArray updated
        = Joined({ before, ending, keyLine, lineBreak, bytes.sliced(place.insertAt) });
    bytes_ = std::move(updated);
    FindLineBreak();
    if (!IsKeyLine(keyLine))
        return Reindex();
    Shift(place.insertAt, ending.size() + keyLine.size() + lineBreak.size());
    Section& section = sections_[place.section];
    const Stretch line { place.insertAt + ending.size(),
        place.insertAt + ending.size() + keyLine.size() };
    if (section.firstHasStretch)
        section.stretches.front().end = line.end;
    else
        section.stretches.insert(section.stretches.begin(), line);
    section.firstHasStretch = true;
}

// A new section at the end of the file, after a blank line; the lines
// appended are indexed on their own.
void IniText::AppendSection(const QByteArray& sectionName, const QByteArray& keyLine)
{
    const QByteArrayView bytes(bytes_);
    const qsizetype oldSize = bytes_.size();
    const bool hasLines = oldSize > TextStart(bytes);
    const QByteArray ending = MissingLineBreak(bytes);
    const bool blankLineNeeded = hasLines && !LastLineBlank(bytes);
    QByteArray updated = Joined({ bytes, ending, blankLineNeeded ? lineBreak_ : QByteArray(), "[",
        sectionName, "]", lineBreak_, keyLine, lineBreak_ });
    bytes_ = std::move(updated);
    FindLineBreak();
    // The last line, now ended, may be where its section takes new keys.
    for (Section& section : sections_) {
        if (section.insertAt == oldSize)
            section.insertAt += ending.size();
    }
    Index(oldSize + ending.size());
}

// A line appended after the last line stands on its own: the line break that
// text, the bytes in front of it, lacks; none in a file without lines.
QByteArray IniText::MissingLineBreak(QByteArrayView text) const
{
    if (bytes_.size() <= TextStart(bytes_) || text.endsWith('\n'))
        return {};
    return text.endsWith('\r') ? QByteArray("\n") : lineBreak_;
}

void IniText::Reindex()
{
    index_.clear();
    sections_.clear();
    Index(TextStart(bytes_));
}
