#pragma once

// Every modal box of the program goes through here, so that tests can
// replace the presenter and no box ever blocks a test run.

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace MessageBoxes {

enum class Icon
{
    Information,
    Warning,
    Stop
};

struct Box
{
    QString title;
    QString text;
    Icon icon;
};

using Presenter = std::function<void(QWidget* parent, const Box& box)>;

// Replaces the presenter (tests record the boxes instead of showing them);
// an empty function restores the real modal boxes.
void SetPresenter(Presenter presenter);

void Show(QWidget* parent, const Box& box);

// The modal box that Show presents when no presenter is set, not yet shown:
// owned by the window it belongs to (parent, or the window the user is in)
// and opening centred on it.
std::unique_ptr<QMessageBox> CreateBox(QWidget* parent, const Box& box);

// A box that leaves the keyboard where it is: not modal, shown without
// becoming the active window, over the window it belongs to; it closes with
// OK or when the caller closes it. Null when a presenter took the box.
QMessageBox* ShowWithoutFocus(QWidget* parent, const Box& box);

// The standard error box: the application title as caption, a stop icon, OK.
void ShowError(QWidget* parent, const QString& message);

// A message that does not already end in "." or a character below it gets a
// closing period, so "'x' is not a valid integer value" reads as a sentence
// while "... (code 5)." or "...)" stay as they are.
QString WithClosingPeriod(const QString& message);

} // namespace MessageBoxes
