#include "app/Application.h"

#include "app/Guard.h"

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tralto"));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool result = false;
    RunGuarded(activeWindow(), [&] { result = QApplication::notify(receiver, event); });
    return result;
}
