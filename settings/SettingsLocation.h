#pragma once

// Where the settings file lives. A program folder that can be written is
// portable: the file lies beside the program, as it always did. A folder that
// cannot be written (a program installed for everyone) keeps each user's
// settings in their configuration folder instead:
//
//   program path → SettingsFilePath (beside it) → writable there?
//                → else UserConfigFolder()/tralto/<same name>

#include <QByteArray>
#include <QString>

// The settings file beside the program: the program's path with everything
// from the last dot of its file name replaced by ".ini", or ".ini" appended
// to a name without a dot. Always an absolute path.
QString SettingsFilePath(const QString& programFilePath);

// The settings file the program uses: SettingsFilePath when its folder may
// be written, or when a settings file there may be written, and the folder
// is not below /usr; otherwise the file of the same name in
// "<configFolder>/tralto". An empty configFolder
// (no home folder at all) leaves the file beside the program.
QString SettingsLocation(const QString& programFilePath, const QString& configFolder);

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else ".config" in the home folder; empty when there is no home.
QString UserConfigFolder();

// Whether this process may change the file or folder at the native path: it
// exists, lies on a file system mounted for writing and grants this user
// writing. For the superuser, who passes every permission check, the mode
// bits decide: a read-only folder is read-only on purpose.
bool MayWrite(const QByteArray& nativePath);

// A path through which Qt reaches the file at a native path whose bytes are
// no valid text in the file-name encoding (a folder named in another
// encoding): its folder is held open for the rest of the run and reached
// through /proc/self/fd. Any other path comes back decoded as it is.
QString ReachablePath(const QByteArray& nativePath);

// The path as the user knows it, for messages: a folder reached through
// /proc/self/fd is shown by its own name, as near as text can show it.
QString ShownPath(const QString& path);
