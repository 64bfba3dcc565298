#include "widgets/Showcoordwindow.h"

#include <QCoreApplication>

void PostShowCoordWindow(QObject* applicationWindow)
{
    QCoreApplication::postEvent(applicationWindow, new QEvent(WM_SHOWCOORDWINDOW));
}
