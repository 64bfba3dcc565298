#include "settings/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <vector>

namespace {

bool InGroup(gid_t group)
{
    if (group == getegid())
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int filled = getgroups(count, groups.data());
    for (int i = 0; i < filled; ++i)
        if (groups[static_cast<size_t>(i)] == group)
            return true;
    return false;
}

// The write bit of the class the superuser falls in for this file.
bool ModeGrantsWriting(const struct stat& status)
{
    if (status.st_uid == geteuid())
        return (status.st_mode & S_IWUSR) != 0;
    if (InGroup(status.st_gid))
        return (status.st_mode & S_IWGRP) != 0;
    return (status.st_mode & S_IWOTH) != 0;
}

QString HomeFolder()
{
    const QByteArray home = qgetenv("HOME");
    if (!home.isEmpty())
        return QFile::decodeName(home);
    // Without HOME the account database still knows the home folder.
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
    passwd entry {};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found
        || !found->pw_dir || !*found->pw_dir)
        return {};
    return QFile::decodeName(found->pw_dir);
}

// Packages install below /usr, and nothing is written there at run time, not
// even by root, whom the folder's mode lets write: a settings file left there
// would outlive the removal of the package.
bool BelowUsr(const QString& folder)
{
    return folder == QLatin1String("/usr") || folder.startsWith(QLatin1String("/usr/"));
}

} // namespace

QString SettingsFilePath(const QString& programFilePath)
{
    const QFileInfo program(programFilePath);
    QString name = program.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return program.absoluteDir().filePath(name + QStringLiteral(".ini"));
}

QString SettingsLocation(const QString& programFilePath, const QString& configFolder)
{
    const QString beside = SettingsFilePath(programFilePath);
    const QFileInfo file(beside);
    const bool portable = !BelowUsr(file.absolutePath())
        && (MayWrite(QFile::encodeName(file.absolutePath()))
            || (file.isFile() && MayWrite(QFile::encodeName(beside))));
    if (portable || configFolder.isEmpty())
        return beside;
    return QDir(configFolder).filePath(QStringLiteral("tralto/") + file.fileName());
}

QString UserConfigFolder()
{
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base
    // directory rules ask.
    const QString configHome = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (QDir::isAbsolutePath(configHome))
        return QDir::cleanPath(configHome);
    const QString home = HomeFolder();
    if (!QDir::isAbsolutePath(home))
        return {};
    return QDir(home).filePath(QStringLiteral(".config"));
}

bool MayWrite(const QByteArray& nativePath)
{
    struct stat status
    {
    };
    if (stat(nativePath.constData(), &status) != 0)
        return false;
    struct statvfs fileSystem
    {
    };
    if (statvfs(nativePath.constData(), &fileSystem) == 0 && (fileSystem.f_flag & ST_RDONLY))
        return false;
    if (geteuid() == 0)
        return ModeGrantsWriting(status);
    // A folder takes new files only when it can also be searched.
    const int wanted = S_ISDIR(status.st_mode) ? W_OK | X_OK : W_OK;
    return faccessat(AT_FDCWD, nativePath.constData(), wanted, AT_EACCESS) == 0;
}

QString ReachablePath(const QByteArray& nativePath)
{
    const QString decoded = QFile::decodeName(nativePath);
    const qsizetype slash = nativePath.lastIndexOf('/');
    if (QFile::encodeName(decoded) == nativePath || slash < 0)
        return decoded;
    const QByteArray folder = slash == 0 ? QByteArray("/") : nativePath.left(slash);
    // Never closed: the settings, the language files and the glyph library
    // are all found through it while the program runs.
    const int descriptor = open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return decoded;
    return QStringLiteral("/proc/self/fd/%1/").arg(descriptor)
        + QFile::decodeName(nativePath.mid(slash + 1));
}

QString ShownPath(const QString& path)
{
    static const QString Descriptors = QStringLiteral("/proc/self/fd/");
    if (!path.startsWith(Descriptors))
        return path;
    const qsizetype end = path.indexOf(QLatin1Char('/'), Descriptors.size());
    const QString link = path.left(end < 0 ? path.size() : end);
    const QString target = QFileInfo(link).symLinkTarget();
    if (target.isEmpty())
        return path;
    return end < 0 ? target : target + path.mid(end);
}
