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

    bool notify(QObject* receiver, QEvent* event) override;

private:
    // Makes the diagnostics safe before QApplication itself can write any.
    static int& DiagnosticsFirst(int& argc);
};
