#pragma once

// The settings file on the disk for the length of one read, or of one
// read–change–replace. Every copy of the program locks the file itself
// (flock, advisory): shared to read it, exclusive to change it. A replace
// renames a new file into place, so a copy that waited on the old file locks
// again until it holds the file that the path names: each change starts from
// the file as the change before it left it, however many copies write at once.
//
//   LockedFile(path, Write) → Descriptor() (read) → Replace(bytes) → unlocked
//
// The temporary file of a replace lives only while its writer holds the lock;
// one found by a copy that holds the lock is left from a writer that was
// killed, and RemoveStaleTemporaries clears it.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <stdexcept>

// A file operation that failed; the message is the reason in words
// ("No space left on device", "Permission denied", …).
class FileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class LockedFile
{
public:
    enum class Access
    {
        Read,
        Write
    };

    // How long a copy waits for another one's lock before it gives up: a
    // writer then fails; a reader reads without it (a replaced file is
    // always whole), after a shorter wait, since a start reads several keys.
    // Writes take milliseconds; a copy that holds the lock this long is
    // stopped or hung.
    static constexpr int WriterPatienceMilliseconds = 10000;
    static constexpr int ReaderPatienceMilliseconds = 1000;

    // Read: a missing file is not an error (IsMissing); one that cannot be
    // opened as a plain file is Failure(). Write: creates a missing file (and
    // missing folders above it, readable by this user alone) when its folder
    // may be written; throws FileError when the file cannot be written. A link
    // is followed: the file it names is the one locked and replaced.
    LockedFile(const QString& path, Access access);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool IsMissing() const { return missing_; }
    bool IsOpen() const { return descriptor_ >= 0; }
    // Why a file that exists could not be opened for reading.
    const QString& Failure() const { return failure_; }
    // Open for reading (and for writing with Access::Write) at offset 0.
    int Descriptor() const { return descriptor_; }
    int64_t Size() const;

    // Puts bytes in place of the content. When the folder may be written, a
    // temporary file beside it is written, synced and renamed over the file:
    // a crash or a full disk leaves the old file whole. In a folder that may
    // not be written (a writable file in a read-only folder) the file is
    // written in place, its space reserved first so that a full disk fails
    // before anything changes. Throws FileError; Access::Write only.
    void Replace(const QByteArray& bytes);

    // Removes the temporary files of earlier writers of this file that were
    // killed before they finished; only while this object holds the lock.
    void RemoveStaleTemporaries() const;

private:
    void OpenForReading();
    void OpenForWriting();
    bool Lock(int operation, int patienceMilliseconds);
    bool HoldsTheNamedFile() const;
    void ReplaceAtomically(const QByteArray& bytes);
    void WriteInPlace(const QByteArray& bytes);
    void SyncFolder() const;
    void Release();

    QByteArray folderPath_;
    QByteArray name_;
    int folder_ = -1;
    int descriptor_ = -1;
    bool missing_ = false;
    bool locked_ = false;
    bool created_ = false;
    bool replaced_ = false;
    bool folderWritable_ = false;
    QString failure_;
};
