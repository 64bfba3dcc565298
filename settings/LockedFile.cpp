#include "settings/LockedFile.h"

#include "settings/SettingsLocation.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <system_error>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a temporary file adds to the settings file's name: a dot in front
// (hidden while it briefly exists), then "-", six random letters or digits
// and ".tmp". The name is shortened as needed, so that the temporary name
// never passes the length the file system allows for one name.
constexpr qsizetype TemporaryAddition = 1 + 1 + 6 + 4;
constexpr qsizetype LongestName = NAME_MAX;

QString Reason(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

const char* const NotAPlainFile = "Not a plain file";
const char* const FolderCannotBeWritten = "Its folder cannot be written";
const char* const LockedByAnother = "Kept locked by another program";

QByteArray TemporaryPrefix(const QByteArray& name)
{
    return '.' + name.left(LongestName - TemporaryAddition) + '-';
}

QByteArray TemporaryName(const QByteArray& name)
{
    static constexpr char Letters[]
        = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray random(6, '0');
    for (char& letter : random)
        letter = Letters[QRandomGenerator::system()->bounded(int(sizeof Letters - 1))];
    return TemporaryPrefix(name) + random + ".tmp";
}

bool IsTemporaryOf(const QByteArray& entry, const QByteArray& name)
{
    const QByteArray prefix = TemporaryPrefix(name);
    if (entry.size() != prefix.size() + 10 || !entry.startsWith(prefix) || !entry.endsWith(".tmp"))
        return false;
    const QByteArray random = entry.mid(prefix.size(), 6);
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// The file a chain of links ends at; the path itself when it is no link.
QByteArray FollowLinks(QByteArray path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status
        {
        };
        if (lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = readlink(path.constData(), target.data(), size_t(target.size()));
        if (length <= 0 || length >= target.size())
            return path;
        target.truncate(length);
        if (!target.startsWith('/'))
            target = path.left(path.lastIndexOf('/') + 1) + target;
        path = target;
    }
    return path;
}

// Creates the folder and those above it that are missing, readable by this
// user alone, as a configuration folder is. On failure errno tells why.
bool CreateFolders(const QByteArray& folder)
{
    struct stat status
    {
    };
    if (stat(folder.constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return true;
        errno = ENOTDIR;
        return false;
    }
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash > 0 && !CreateFolders(folder.left(slash)))
        return false;
    return mkdir(folder.constData(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int descriptor, const QByteArray& bytes, off_t offset)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = pwrite(descriptor, bytes.constData() + done,
            size_t(bytes.size() - done), offset + off_t(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace

LockedFile::LockedFile(const QString& path, Access access)
{
    const QByteArray target = FollowLinks(QFile::encodeName(path));
    const qsizetype slash = target.lastIndexOf('/');
    folderPath_ = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
    name_ = target.mid(slash + 1);
    if (access == Access::Read) {
        OpenForReading();
        return;
    }
    try {
        OpenForWriting();
    } catch (...) {
        Release();
        throw;
    }
}

LockedFile::~LockedFile()
{
    Release();
}

void LockedFile::Release()
{
    // A file made only to be locked, then never written, goes again.
    if (created_ && locked_ && !replaced_ && Size() == 0 && HoldsTheNamedFile())
        unlinkat(folder_, name_.constData(), 0);
    if (descriptor_ >= 0)
        close(descriptor_);
    if (folder_ >= 0)
        close(folder_);
    descriptor_ = folder_ = -1;
    created_ = locked_ = false;
}

// Taking the lock waits, in growing steps, at most the patience given.
// A file system without locks counts as locked: the copies then write as
// they did before there were locks.
bool LockedFile::Lock(int operation, int patienceMilliseconds)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(patienceMilliseconds);
    int pause = 1;
    while (flock(descriptor_, operation | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        pause = std::min(pause * 2, 50);
    }
    locked_ = true;
    return true;
}

bool LockedFile::HoldsTheNamedFile() const
{
    struct stat held
    {
    };
    struct stat named
    {
    };
    return fstat(descriptor_, &held) == 0 && fstatat(folder_, name_.constData(), &named, 0) == 0
        && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

void LockedFile::OpenForReading()
{
    folder_ = open(folderPath_.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (int attempt = 0; folder_ >= 0; ++attempt) {
        descriptor_ = openat(folder_, name_.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (descriptor_ < 0)
            break;
        struct stat status
        {
        };
        if (fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
            failure_
                = S_ISDIR(status.st_mode) ? Reason(EISDIR) : QString::fromLatin1(NotAPlainFile);
            close(descriptor_);
            descriptor_ = -1;
            return;
        }
        // Without the lock (another copy holds it too long) the file is read
        // as it is: a replaced file is always whole.
        if (!Lock(LOCK_SH, ReaderPatienceMilliseconds) || HoldsTheNamedFile() || attempt == 100)
            return;
        close(descriptor_);
        descriptor_ = -1;
        locked_ = false;
    }
    if (errno == ENOENT)
        missing_ = true;
    else
        failure_ = Reason(errno);
}

void LockedFile::OpenForWriting()
{
    folder_ = open(folderPath_.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0 && errno == ENOENT && CreateFolders(folderPath_))
        folder_ = open(folderPath_.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0)
        throw FileError(Reason(errno).toStdString());
    folderWritable_ = MayWrite(folderPath_);
    for (int attempt = 0;; ++attempt) {
        created_ = false;
        descriptor_ = openat(folder_, name_.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (descriptor_ < 0 && errno == ENOENT) {
            if (!folderWritable_)
                throw FileError(FolderCannotBeWritten);
            // The file is made empty to have something to lock; it is
            // replaced in one piece like any other.
            descriptor_ = openat(folder_, name_.constData(),
                O_RDWR | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0666);
            if (descriptor_ < 0 && errno == EEXIST && attempt < 100)
                continue;
            created_ = descriptor_ >= 0;
        }
        if (descriptor_ < 0)
            throw FileError(Reason(errno).toStdString());
        struct stat status
        {
        };
        if (fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode))
            throw FileError(NotAPlainFile);
        if (!created_ && !MayWrite(folderPath_ + '/' + name_))
            throw FileError(Reason(EACCES).toStdString());
        if (!Lock(LOCK_EX, WriterPatienceMilliseconds))
            throw FileError(LockedByAnother);
        if (!locked_ || HoldsTheNamedFile())
            return;
        // Another copy replaced the file while this one waited: lock the
        // new one.
        if (attempt == 100)
            throw FileError(LockedByAnother);
        close(descriptor_);
        descriptor_ = -1;
        locked_ = false;
    }
}

int64_t LockedFile::Size() const
{
    struct stat status
    {
    };
    return descriptor_ >= 0 && fstat(descriptor_, &status) == 0 ? int64_t(status.st_size) : 0;
}

void LockedFile::Replace(const QByteArray& bytes)
{
    if (folderWritable_)
        ReplaceAtomically(bytes);
    else
        WriteInPlace(bytes);
    replaced_ = true;
}

void LockedFile::ReplaceAtomically(const QByteArray& bytes)
{
    QByteArray temporary;
    int out = -1;
    for (int attempt = 0; attempt < 100 && out < 0; ++attempt) {
        temporary = TemporaryName(name_);
        out = openat(folder_, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (out < 0 && errno != EEXIST)
            break;
    }
    if (out < 0)
        throw FileError(Reason(errno).toStdString());
    // The new file keeps the permissions the user gave the old one.
    struct stat old
    {
    };
    int error = 0;
    if (!created_ && fstat(descriptor_, &old) == 0 && fchmod(out, old.st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && (!WriteAll(out, bytes, 0) || fsync(out) != 0))
        error = errno;
    if (close(out) != 0 && error == 0)
        error = errno;
    if (error == 0 && renameat(folder_, temporary.constData(), folder_, name_.constData()) != 0)
        error = errno;
    if (error != 0) {
        unlinkat(folder_, temporary.constData(), 0);
        throw FileError(Reason(error).toStdString());
    }
    SyncFolder();
}

void LockedFile::WriteInPlace(const QByteArray& bytes)
{
    struct stat old
    {
    };
    if (fstat(descriptor_, &old) != 0)
        throw FileError(Reason(errno).toStdString());
    if (bytes.size() > old.st_size) {
        const int error = posix_fallocate(descriptor_, 0, off_t(bytes.size()));
        if (error != 0) {
            if (ftruncate(descriptor_, old.st_size) != 0) {
                // The old bytes are untouched; only the length may be off.
            }
            throw FileError(Reason(error).toStdString());
        }
    }
    if (!WriteAll(descriptor_, bytes, 0) || ftruncate(descriptor_, off_t(bytes.size())) != 0
        || fdatasync(descriptor_) != 0)
        throw FileError(Reason(errno).toStdString());
}

// The rename is on the disk only once the folder is: without this a power
// cut could bring back the old file after the program said it was written.
void LockedFile::SyncFolder() const
{
    const int folder = openat(folder_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    fsync(folder);
    close(folder);
}

void LockedFile::RemoveStaleTemporaries() const
{
    if (!locked_ || !MayWrite(folderPath_))
        return;
    const int listing = openat(folder_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return;
    DIR* folder = fdopendir(listing);
    if (folder == nullptr) {
        close(listing);
        return;
    }
    while (const dirent* entry = readdir(folder)) {
        struct stat status
        {
        };
        if (IsTemporaryOf(QByteArray(entry->d_name), name_)
            && fstatat(folder_, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(status.st_mode) && status.st_uid == geteuid())
            unlinkat(folder_, entry->d_name, 0);
    }
    closedir(folder);
}
