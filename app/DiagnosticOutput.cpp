#include "app/DiagnosticOutput.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A description of the descriptor's own: a pipe, FIFO or terminal reached through /proc opens
// the same file anew, so O_NONBLOCK there changes nothing for whoever else holds the original.
// -1 where that is not possible (no /proc, no reader on the pipe yet).
int OpenNonBlocking(int descriptor)
{
    const std::string path = "/proc/self/fd/" + std::to_string(descriptor);
    int reopened;
    do {
        reopened = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (reopened < 0 && errno == EINTR);
    return reopened;
}

// Whether a write to the descriptor would not wait now: poll with no timeout.
bool ReadyForWriting(int descriptor)
{
    pollfd entry { descriptor, POLLOUT, 0 };
    int ready;
    do {
        ready = poll(&entry, 1, 0);
    } while (ready < 0 && errno == EINTR);
    return ready == 1 && (entry.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0
        && (entry.revents & POLLOUT) != 0;
}

// Never destroyed: the standard streams flush into them while the program ends.
NonBlockingOutput& StandardOutput()
{
    static NonBlockingOutput* const output = new NonBlockingOutput(STDOUT_FILENO);
    return *output;
}

NonBlockingOutput& StandardError()
{
    static NonBlockingOutput* const error = new NonBlockingOutput(STDERR_FILENO);
    return *error;
}

} // namespace

void WriteQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
    StandardError().sputn(line.constData(), line.size());
}

NonBlockingOutput::NonBlockingOutput(int descriptor)
{
    struct stat status
    {
    };
    if (fstat(descriptor, &status) != 0)
        return;
    if (S_ISFIFO(status.st_mode) || (S_ISCHR(status.st_mode) && isatty(descriptor))) {
        const int reopened = OpenNonBlocking(descriptor);
        if (reopened >= 0) {
            descriptor_ = reopened;
            ownDescriptor_ = true;
            return;
        }
    }
    descriptor_ = descriptor;
    socket_ = S_ISSOCK(status.st_mode);
}

NonBlockingOutput::~NonBlockingOutput()
{
    if (ownDescriptor_)
        close(descriptor_);
}

std::streamsize NonBlockingOutput::xsputn(const char* text, std::streamsize count)
{
    Write(text, count);
    return count;
}

NonBlockingOutput::int_type NonBlockingOutput::overflow(int_type c)
{
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        const char character = traits_type::to_char_type(c);
        Write(&character, 1);
    }
    return traits_type::not_eof(c);
}

void NonBlockingOutput::Write(const char* text, std::streamsize count) const
{
    if (descriptor_ < 0 || count <= 0)
        return;
    if (!ownDescriptor_ && !socket_ && !ReadyForWriting(descriptor_))
        return;
    // What the descriptor does not take at once is dropped: a full pipe or terminal (EAGAIN),
    // a reader that has gone (EPIPE, with SIGPIPE ignored or suppressed), a part written.
    ssize_t written;
    do {
        written = socket_
            ? send(descriptor_, text, static_cast<std::size_t>(count), MSG_DONTWAIT | MSG_NOSIGNAL)
            : write(descriptor_, text, static_cast<std::size_t>(count));
    } while (written < 0 && errno == EINTR);
}

void KeepDiagnosticsFromBlocking()
{
    // A reader of the standard output or error that has gone must not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    std::cout.flush();
    std::cout.rdbuf(&StandardOutput());
    std::cerr.rdbuf(&StandardError());
    std::clog.rdbuf(&StandardError());
}
