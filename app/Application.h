#pragma once

#include <QApplication>

// The application object. Its event dispatch is the last line of defence:
// an exception that a handler failed to catch is shown in the standard
// error box instead of unwinding through Qt.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
