#pragma once

#include <QString>

#include <QByteArray>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "format/SettingsStore.h"

class IniText;
class LockedFile;

// A write of the settings file that did not reach the disk. The message is
// "Unable to write to <full path>: <reason>"; the file keeps its previous
// content.
class IniWriteError : public std::runtime_error
{
public:
    IniWriteError(const QString& path, const QString& reason);
};

// The program's settings file, in the classic INI layout:
//
//   [Section]
//   Key=Value
//
// Every call goes to the disk: a read sees the file as it is now, a write
// locks it, reads it, changes one key and replaces the whole file atomically
// before it returns, so a read that follows (also through another IniFile
// object, in any process) sees the value, and the writes of several running
// copies each add their change to the file as the one before left it (see
// LockedFile). A file larger than MaximumFileSize is neither read nor
// written: it reads as unreadable, and a write fails. The file is parsed once
// into an index of its sections and parsed again only when its bytes
// changed, so a call costs time in proportion to the file's size, whatever
// its lines. A write that would only put back the value this object read,
// after another program has changed it, leaves the other program's value
// (see WriteString). Section and key names match without regard to case.
// Lines the program does not own (comments, other sections, unknown keys,
// lines it cannot parse, a byte-order mark, the kind of line ends) are
// written back byte for byte.
//
// Reading: blanks around names and values are ignored; a value enclosed in a
// pair of equal quotes (" or ') loses them; lines whose first non-blank
// character is ';' or '#' are comments; text after the value belongs to the
// value. With duplicate sections or keys the first key found, in file order,
// wins; a write changes that same line. Keys before the first section belong
// to no section.
class IniFile : public SettingsStore
{
public:
    // A settings file holds five keys; one this large is no settings file
    // of the program's, and reading it whole would cost its size in memory.
    static constexpr qint64 MaximumFileSize = qint64(16) << 20;

    // A relative path is made absolute against the current folder now, so the
    // file does not move when the working directory changes later.
    explicit IniFile(const QString& path);
    ~IniFile() override;
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const QString& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key,
        const std::string& defaultValue) override;
    // Decimal, or hexadecimal after "0x", "0X" or "$"; hexadecimal covers the
    // 32 bits, so "0xFFFFFFFF" is -1. Anything else gives the default.
    int32_t ReadInteger(
        const std::string& section, const std::string& key, int32_t defaultValue) override;

    // Throws IniWriteError when the file cannot be written, naming the
    // reason. A missing folder is created first. A line break in the value
    // is stored as a blank, since a value is one line; a value that would
    // lose blanks or quotes on reading is stored in double quotes.
    // Writing the value that this object last read or wrote for the key is
    // left out when the file holds another value for it by now: another run
    // changed it, this one did not.
    void WriteString(
        const std::string& section, const std::string& key, const std::string& value) override;
    // Written in decimal.
    void WriteInteger(const std::string& section, const std::string& key, int32_t value) override;

    // The message of the last write that failed; empty while none has.
    const std::string& LastWriteFailure() const { return lastWriteFailure_; }

    // Removes what writers of this file left behind when they were killed
    // in the middle of a write; never a file another running copy is still
    // writing.
    void RemoveStaleTemporaries();

private:
    // What this object last saw of a key: the stored text (none when the
    // key was missing) and the value it gave or wrote.
    struct SeenValue
    {
        std::optional<QByteArray> stored;
        std::string value;
    };

    std::optional<QString> Refresh(const LockedFile& file);
    std::optional<QByteArray> StoredText(const std::string& section, const std::string& key);
    void Remember(const std::string& section, const std::string& key,
        std::optional<QByteArray> stored, std::string value);

    QString path_;
    // The file's content as of the last call, parsed; none while unreadable.
    std::unique_ptr<IniText> text_;
    std::map<QByteArray, SeenValue> seen_;
    std::string lastWriteFailure_;
};
