#include "cli/OutputFile.h"

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary file a signal removes before the program dies of it. A fixed buffer: a signal
// handler must not allocate.
char PendingTemporary[PATH_MAX + 8];
constexpr std::array<int, 3> CleanedSignals { SIGINT, SIGTERM, SIGHUP };
std::array<struct sigaction, 3> PreviousActions {};

extern "C" void RemoveTemporaryAndDie(int signal)
{
    ::unlink(PendingTemporary);
    struct sigaction standard
    {
    };
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(signal, &standard, nullptr);
    ::raise(signal);
}

void WatchSignals(const std::string& temporary)
{
    if (temporary.size() >= sizeof PendingTemporary)
        return;
    std::memcpy(PendingTemporary, temporary.c_str(), temporary.size() + 1);
    struct sigaction action
    {
    };
    action.sa_handler = RemoveTemporaryAndDie;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < CleanedSignals.size(); ++i) {
        ::sigaction(CleanedSignals[i], nullptr, &PreviousActions[i]);
        // A signal the caller ignores (nohup) stays ignored.
        if (PreviousActions[i].sa_handler != SIG_IGN)
            ::sigaction(CleanedSignals[i], &action, nullptr);
    }
}

void StopWatching()
{
    for (std::size_t i = 0; i < CleanedSignals.size(); ++i)
        ::sigaction(CleanedSignals[i], &PreviousActions[i], nullptr);
    PendingTemporary[0] = '\0';
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

OutputFile::~OutputFile()
{
    Discard();
}

bool OutputFile::Open(const std::string& path, std::string& problem)
{
    std::string target = path;
    mode_t mode = 0;
    struct stat status
    {
    };
    if (::stat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            problem = std::strerror(EISDIR);
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            descriptor_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
            if (descriptor_ < 0)
                problem = std::strerror(errno);
            return descriptor_ >= 0;
        }
        // A file its owner made read-only is not replaced behind its back.
        if (::access(path.c_str(), W_OK) != 0) {
            problem = std::strerror(errno);
            return false;
        }
        if (char* const resolved = ::realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
        mode = status.st_mode & 07777;
    } else if (errno == ENOENT) {
        mode = NewFileMode();
    } else {
        problem = std::strerror(errno);
        return false;
    }
    temporary_ = target + ".XXXXXX";
    descriptor_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (descriptor_ < 0) {
        const int error = errno;
        problem = std::strerror(error);
        // The file itself may be writable: the new one is made beside it.
        if (error == EACCES || error == EROFS)
            problem += " (a new file takes its place, so its folder must be writable)";
        temporary_.clear();
        return false;
    }
    WatchSignals(temporary_);
    ::fchmod(descriptor_, mode);
    target_ = target;
    return true;
}

bool OutputFile::Commit(std::string& problem)
{
    bool written = temporary_.empty() || ::fsync(descriptor_) == 0;
    int error = errno;
    if (::close(descriptor_) != 0 && written) {
        written = false;
        error = errno;
    }
    descriptor_ = -1;
    if (!temporary_.empty() && written && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (written && !temporary_.empty()) {
        temporary_.clear();
        StopWatching();
    }
    if (!written)
        problem = std::strerror(error);
    Discard();
    return written;
}

void OutputFile::Discard()
{
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        StopWatching();
    }
}
