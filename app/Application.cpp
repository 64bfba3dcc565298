#include "app/Application.h"

#include "app/Guard.h"

#include <QIcon>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tralto"));
    setWindowIcon(QIcon(QStringLiteral(":/tralto/icon.svg")));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    RunGuarded(activeWindow(), [&] { result = QApplication::notify(receiver, event); });
    return result;
}
