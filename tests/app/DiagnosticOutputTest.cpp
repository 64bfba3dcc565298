// The window program and its diagnostics: characters typed into a field with the standard
// output and error on a full pipe that nobody reads, or on a pipe whose reader has gone. Each
// run is a child process (this program, started again with --type), which must finish and
// exit normally: neither block on the trace nor die of SIGPIPE.

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/Application.h"
#include "app/Mainform.h"
#include "tests/ProgramFolder.h"
#include "windows/Coordform.h"

extern char** environ;

namespace {

constexpr const char* TypeOption = "--type";
// Typed ten at a time into the emptied field, so every keystroke evaluates a short expression
// and writes a few lines of trace.
const QString Chunk = QStringLiteral("12+3*4-5/6");

// The child: the program's main window, and count characters typed into its x field.
int TypeIntoField(int count)
{
    ProgramFolder folder;
    if (!folder.IsValid() || !folder.WriteSettings("[Language]\nCommonLangExt=enu\n"))
        return 3;
    TMainForm form(folder.ProgramPath());
    form.show();
    auto* field = form.Coord3DWindow()->findChild<QLineEdit*>("Koord_Karx_Edit");
    for (int typed = 0; typed < count; typed += Chunk.size()) {
        field->selectAll();
        QTest::keyClicks(field, Chunk.left(count - typed));
    }
    return field->text() == Chunk.left((count - 1) % Chunk.size() + 1) ? 0 : 2;
}

struct Pipe
{
    int read = -1;
    int write = -1;
    ~Pipe()
    {
        if (read >= 0)
            close(read);
        if (write >= 0)
            close(write);
    }
};

// Fills the pipe until it takes no more. The write end is made non-blocking for that alone:
// the child gets it back blocking, as a shell hands it over.
bool Fill(const Pipe& pipe)
{
    const int flags = fcntl(pipe.write, F_GETFL);
    if (flags < 0 || fcntl(pipe.write, F_SETFL, flags | O_NONBLOCK) != 0)
        return false;
    const std::string block(4096, '#');
    while (write(pipe.write, block.data(), block.size()) > 0) { }
    const bool full = errno == EAGAIN;
    return fcntl(pipe.write, F_SETFL, flags) == 0 && full;
}

// Starts this program with --type count, its standard output and error on the pipe's write end.
pid_t StartTyping(const Pipe& pipe, int count)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe.write, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipe.write, STDERR_FILENO);
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    const std::string countText = std::to_string(count);
    char* const arguments[] = { const_cast<char*>(program.c_str()), const_cast<char*>(TypeOption),
        const_cast<char*>(countText.c_str()), nullptr };
    pid_t child = -1;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environ) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// The child's wait status, or -1 when it has not ended within the time (it is killed then).
int WaitForEnd(pid_t child, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status;
}

} // namespace

class DiagnosticOutputTest : public QObject
{
    Q_OBJECT

private slots:
    void typingNeverWaitsForTheReader_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<bool>("readerGone");
        QTest::newRow("full pipe nobody reads") << 10000 << false;
        QTest::newRow("reader gone") << 1 << true;
    }

    void typingNeverWaitsForTheReader()
    {
        QFETCH(int, characters);
        QFETCH(bool, readerGone);
        Pipe pipe;
        int ends[2];
        QVERIFY(pipe2(ends, O_CLOEXEC) == 0);
        pipe.read = ends[0];
        pipe.write = ends[1];
        if (readerGone) {
            close(pipe.read);
            pipe.read = -1;
        } else {
            QVERIFY(Fill(pipe));
        }

        const pid_t child = StartTyping(pipe, characters);
        QVERIFY(child > 0);
        // Typing takes a few seconds; a child that waits for the reader never ends.
        const int status = WaitForEnd(child, std::chrono::seconds(60));
        QVERIFY2(status != -1, "the program waited for its diagnostics to be read");
        QVERIFY2(!WIFSIGNALED(status), strsignal(WTERMSIG(status)));
        QCOMPARE(WEXITSTATUS(status), 0);
        // The shared description of the write end is as blocking as it was handed over.
        QCOMPARE(fcntl(pipe.write, F_GETFL) & O_NONBLOCK, 0);
    }
};

int main(int argc, char* argv[])
{
    const bool child = argc == 3 && std::strcmp(argv[1], TypeOption) == 0;
    const int count = child ? std::atoi(argv[2]) : 0;
    if (child)
        argc = 1;
    TApplication application(argc, argv);
    if (child)
        return TypeIntoField(count);
    DiagnosticOutputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DiagnosticOutputTest.moc"
