#pragma once

// The request of a coordinate window for the window of the other dimension.
// It is posted, not sent, so the switch happens after the handler that asked
// for it has returned.

#include <QEvent>

class QObject;

inline constexpr QEvent::Type WM_SHOWCOORDWINDOW = static_cast<QEvent::Type>(2025);

// Posts the request to the application object, where the main window listens.
void PostShowCoordWindow(QObject* applicationWindow);
