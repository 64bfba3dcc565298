#pragma once

#include <QApplication>

// The application object. Its event dispatch is the last line of defence:
// an exception that a handler failed to catch is shown in the standard
// error box instead of unwinding through Qt. Its diagnostics (the evaluator's
// trace, Qt's messages) never block or end the program (app/DiagnosticOutput.h).
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    // Whether there is a graphical session to show the windows on. When
    // there surely is none (neither DISPLAY nor WAYLAND_DISPLAY set, no
    // platform chosen through QT_QPA_PLATFORM or -platform) it says so in one
    // line on standard error and gives false. Until the next TApplication is
    // made, a session that cannot be opened ends the program the same way,
    // with status 1, instead of Qt's abort.
    static bool HasGraphicalSession(int argc, char** argv);

    // The program's own file. Where its folder's name is no valid text (named
    // in another encoding) Qt knows no path for it; then it is reached through
    // a descriptor (ReachablePath).
    static QString ProgramFilePath();

    bool notify(QObject* receiver, QEvent* event) override;

private:
    // Makes the diagnostics safe before QApplication itself can write any.
    static int& DiagnosticsFirst(int& argc);
};
