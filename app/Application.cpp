#include "app/Application.h"

#include "app/DiagnosticOutput.h"
#include "format/NumberReading.h"
#include "settings/SettingsLocation.h"
#include "widgets/CoordinateFields.h"
#include "widgets/Guard.h"
#include "widgets/MathErrorReport.h"

#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace {

// The messages Qt gives while the application object is made, held back
// until it stands: if the session cannot be opened, Qt's warnings about it
// and its fatal message make way for one line of the program's own.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QtMessageHandler releasedHandler = nullptr;
std::vector<HeldMessage> heldMessages;
QByteArray programName = "Tralmain";

void WriteNoSession(const char* why)
{
    std::fprintf(stderr, "%s: needs a graphical session (X11 or Wayland): %s\n",
        programName.constData(), why);
    std::fflush(stderr);
}

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray why = !platform.isEmpty()
            ? "the platform \"" + platform + "\" could not be started"
            : !display.isEmpty() ? "the display \"" + display + "\" could not be opened"
                                 : QByteArray("none could be opened");
        WriteNoSession(why.constData());
        _exit(1);
    }
    heldMessages.push_back({ type, QByteArray(context.category), text });
}

void ReleaseStartMessages()
{
    if (!releasedHandler)
        return;
    qInstallMessageHandler(releasedHandler);
    for (const HeldMessage& message : heldMessages)
        releasedHandler(message.type,
            QMessageLogContext(nullptr, 0, nullptr, message.category.constData()), message.text);
    heldMessages.clear();
    releasedHandler = nullptr;
}

} // namespace

int& TApplication::DiagnosticsFirst(int& argc)
{
    KeepDiagnosticsFromBlocking();
    // Qt's messages take the same way; those of the start once they are released.
    if (releasedHandler)
        releasedHandler = WriteQtMessage;
    else
        qInstallMessageHandler(WriteQtMessage);
    return argc;
}

TApplication::TApplication(int& argc, char** argv)
    : QApplication(DiagnosticsFirst(argc), argv)
{
    ReleaseStartMessages();
    // A file that would grow past the size the system allows this process is
    // a write that fails (EFBIG), reported like any other, not the end of the
    // program: the settings file then keeps its old content.
    std::signal(SIGXFSZ, SIG_IGN);

    setApplicationName(QStringLiteral("Tralto"));
    setDesktopFileName(QStringLiteral("org.example.Tralto"));
    setWindowIcon(QIcon(QStringLiteral(":/tralto/icon.svg")));

    // Numbers are written and read with the separators of the user's locale.
    const QLocale locale = QLocale::system();
    SetFieldSeparators(
        { locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString() });

    // A domain error of a function (the square root of a negative number, say)
    // is the one evaluation error the user is told about, once the typing
    // pauses.
    MathErrorReport::Install();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    RunGuarded(activeWindow(), [&] { result = QApplication::notify(receiver, event); });
    return result;
}

bool TApplication::HasGraphicalSession(int argc, char** argv)
{
    if (argc > 0 && argv[0] != nullptr && *argv[0] != '\0')
        programName = QFileInfo(QFile::decodeName(argv[0])).fileName().toLocal8Bit();
    bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i)
        platformChosen = platformChosen || std::strcmp(argv[i], "-platform") == 0
            || std::strcmp(argv[i], "--platform") == 0;
    if (!platformChosen && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        WriteNoSession("neither DISPLAY nor WAYLAND_DISPLAY is set");
        return false;
    }
    if (!releasedHandler)
        releasedHandler = qInstallMessageHandler(HoldStartMessage);
    return true;
}

QString TApplication::ProgramFilePath()
{
    const QString path = applicationFilePath();
    if (!path.isEmpty() && QFileInfo::exists(path))
        return path;
    QByteArray native(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", native.data(), size_t(native.size()));
    if (length <= 0 || length >= native.size())
        return path;
    native.truncate(length);
    return ReachablePath(native);
}
