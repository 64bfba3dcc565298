#pragma once

// The control of a coordinate window that the keyboard goes to when the
// window comes to the front: the field the user was in last, or the window's
// first field before the user has been in one. The list that asks for the
// other window and the RAD/DEG buttons are no place to land (a digit typed
// into the list switches the window, a blank the unit), so only fields count.

#include <QObject>
#include <QPointer>

class QWidget;

class ActiveControl : public QObject
{
    Q_OBJECT

public:
    // Follows the focus inside window for as long as the window lives.
    explicit ActiveControl(QWidget* window);

    QWidget* Control() const;
    void SetFirstField(QWidget* field) { firstField_ = field; }
    // Whether the user has been in a field of the window yet.
    bool FieldVisited() const { return field_ != nullptr; }

    // The tracker of a window, or null when it has none.
    static const ActiveControl* Of(const QWidget* window);

private:
    void FocusChanged(QWidget* previous, QWidget* now);

    QWidget* window_;
    QPointer<QWidget> field_;
    QPointer<QWidget> firstField_;
};
