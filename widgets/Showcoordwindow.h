#pragma once

// The request of a coordinate window for the window of the other dimension.
// It is posted, not sent, so the switch happens after the handler that asked
// for it has returned.

#include <QEvent>

class QObject;

// A number of its own, given by Qt at start-up, so that no other custom event
// (of Qt's or of a library's) can be taken for it.
inline const QEvent::Type WM_SHOWCOORDWINDOW
    = static_cast<QEvent::Type>(QEvent::registerEventType());

// Posts the request to the application object, where the main window listens.
void PostShowCoordWindow(QObject* applicationWindow);
