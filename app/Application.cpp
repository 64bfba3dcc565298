#include "app/Application.h"

#include "format/NumberReading.h"
#include "widgets/CoordinateFields.h"
#include "widgets/Guard.h"
#include "widgets/MathErrorReport.h"

#include <QIcon>
#include <QLocale>

#include <csignal>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
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
