#pragma once

#include <QtGlobal>

#include <streambuf>

// The window program's diagnostics: the evaluator's trace at every keystroke (through std::cout
// and std::cerr) and Qt's messages. They go to the standard output and error as they always
// have, but never at the price of the program: what the descriptor cannot take at once (a full
// pipe nobody reads, a stopped terminal) is dropped, and a reader that has gone costs nothing.

// A stream buffer that writes to a descriptor without ever waiting for it. The descriptor's own
// open file description is left as it is (a parent shell may share it): a pipe or terminal is
// opened anew, non-blocking, for this buffer alone; a socket is sent to without waiting; any
// other descriptor is written only when poll says it is ready. Every write reports success, so
// the stream never goes bad: dropped text is simply gone.
class NonBlockingOutput : public std::streambuf
{
public:
    explicit NonBlockingOutput(int descriptor);
    ~NonBlockingOutput() override;
    NonBlockingOutput(const NonBlockingOutput&) = delete;
    NonBlockingOutput& operator=(const NonBlockingOutput&) = delete;

protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int_type overflow(int_type c) override;

private:
    void Write(const char* text, std::streamsize count) const;

    int descriptor_ = -1; // -1: nothing can be written
    bool ownDescriptor_ = false;
    bool socket_ = false;
};

// Ignores SIGPIPE and sends std::cout, std::cerr and std::clog through NonBlockingOutput for the
// rest of the process.
void KeepDiagnosticsFromBlocking();

// A Qt message handler: Qt's own layout of the message, on the standard error's NonBlockingOutput.
void WriteQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message);
