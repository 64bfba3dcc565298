#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

#include <optional>
#include <vector>

// The blanks around a key, a value or a section name, which a read strips.
bool IsIniBlank(char c);

// A value without a pair of equal quotes (" or ') around it.
QByteArrayView IniUnquoted(QByteArrayView value);

// The content of a settings file and an index of its sections, built in one
// pass: for every section name (without regard to case) where its first
// section ends and which stretches of the file hold its lines. A lookup reads
// only the lines of that section, so reading or writing a key costs the size
// of its section, not of the file; blank lines and comments, however many,
// cost nothing after the one pass.
//
//   bytes → index (one pass) → Find(section, key) → SetKeyLine → bytes, index
class IniText
{
public:
    static constexpr qsizetype NoOffset = -1;

    // Where a key stands, or where it would go.
    struct Place
    {
        // The key's line without its line break; NoOffset when missing.
        qsizetype keyBegin = NoOffset;
        qsizetype keyEnd = NoOffset;
        // Just after the last line of the first section of that name that is
        // neither blank nor a comment (its header when it has none): a new
        // key goes there, so that comments and blank lines in front of the
        // next section stay with that section. NoOffset without the section.
        qsizetype insertAt = NoOffset;
        // The value, without blanks around it and without a pair of quotes.
        QByteArrayView value;
        // The section's entry in the index; NoOffset without the section.
        qsizetype section = NoOffset;
    };

    explicit IniText(QByteArray bytes = {});

    const QByteArray& Bytes() const { return bytes_; }

    // With duplicate sections or keys the first key found, in file order.
    Place Find(QByteArrayView section, QByteArrayView key) const;

    // Sets the key line at its place: the line of the key replaced, or a new
    // line at the end of its section, or a new section at the end of the
    // file. Every other byte stays as it was. The index follows the change
    // without a new pass over the file. The place must come from Find on
    // this same content.
    void SetKeyLine(const Place& place, const QByteArray& section, const QByteArray& keyLine);

    // The name as the index files it: equal for names equal without regard
    // to case.
    static QByteArray FoldedName(QByteArrayView name);

private:
    // The lines of one section (from its first line that is neither blank
    // nor a comment to its last), within the bytes.
    struct Stretch
    {
        qsizetype begin;
        qsizetype end;
    };
    struct Section
    {
        qsizetype insertAt = NoOffset;
        // In file order; the first one is the first section's when it has
        // lines of its own.
        std::vector<Stretch> stretches;
        bool firstHasStretch = false;
    };

    void FindLineBreak();
    void Index(qsizetype start);
    qsizetype SectionEntry(QByteArrayView name);
    static void AddStretch(Section& section, Stretch stretch, bool ofFirstSection);
    void ReplaceKeyLine(const Place& place, const QByteArray& keyLine);
    void InsertKeyLine(const Place& place, const QByteArray& keyLine);
    void AppendSection(const QByteArray& sectionName, const QByteArray& keyLine);
    QByteArray MissingLineBreak(QByteArrayView text) const;
    void Reindex();
    // Moves every offset at or after from by delta.
    void Shift(qsizetype from, qsizetype delta);
    static bool IsKeyLine(QByteArrayView line);

    QByteArray bytes_;
    // Folded section name → its entry in sections_.
    QHash<QByteArray, qsizetype> index_;
    std::vector<Section> sections_;
    QByteArray lineBreak_ = "\n";
};
