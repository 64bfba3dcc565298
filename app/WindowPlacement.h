#pragma once

// Where the main window opens and how large: where it was when the program
// last ended, on the screen it was on, as kept in [Window] of the settings
// file; the design place on a first start. Whatever the place, the window
// is fitted into the free area of its screen (without panels and docks), so
// it never runs off a screen that is smaller, or scaled larger, than the
// one it was on.
//
//   settings [Window] → ReadPlacement → FittedToScreen → the main window
//   the main window at the end → WritePlacement (only what changed)

#include <QMargins>
#include <QRect>
#include <QString>

class QScreen;
namespace tralto {
class SettingsStore;
}
using tralto::SettingsStore;

struct WindowPlacement
{
    QRect geometry; // the normal geometry, without the frame
    bool maximized = false;
    QString screen; // the screen's name; empty for none known

    bool operator==(const WindowPlacement&) const = default;
};

// The placement stored, or design (on the primary screen) where the file
// lacks a whole, sensible one.
WindowPlacement ReadPlacement(SettingsStore& settings, const QRect& design);

// Writes each key whose value differs from what was read at the start, so
// that a run that did not move the window leaves the file alone.
void WritePlacement(
    SettingsStore& settings, const WindowPlacement& now, const WindowPlacement& atStart);

// The screen the placement belongs on: the one of that name, else the one
// under the middle of the geometry, else the primary screen.
QScreen* ScreenOf(const WindowPlacement& placement);

// The geometry, shrunk where it is larger and moved where it lies outside,
// so that with the frame around it the window lies inside available.
QRect FittedToScreen(QRect geometry, const QRect& available, const QMargins& frame);
