#pragma once

// How the program's dialogs and message boxes sit on the desktop: a dialog
// of fixed size offers only closing in its title bar (no minimise or
// maximise buttons under a window manager), and a box opens centred on the
// window it belongs to, also on a desktop without a window manager, where
// nothing else would place it.

class QDialog;
class QWidget;

void SetFixedDialogFrame(QDialog* dialog);

// The window a box without an owner belongs to: the modal dialog that is
// open, else the active window, else the program's visible main window;
// null when there is none.
QWidget* OwnerOfBox(QWidget* owner);

// Centres the window on the owner's window, or on the screen without one.
void CentreOnOwner(QWidget* window, const QWidget* owner);
