#pragma once

// The control of a coordinate window that the keyboard returns to when the
// window comes to the front again: the field the user was in last. The list
// that asked for the other window is no place to return to (a digit typed
// there would be lost), so only fields count; before the user has been in
// one, the window's own focus widget stands.

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

    // The tracker of a window, or null when it has none.
    static const ActiveControl* Of(const QWidget* window);

private:
    void FocusChanged(QWidget* previous, QWidget* now);

    QWidget* window_;
    QPointer<QWidget> field_;
};
