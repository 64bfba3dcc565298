#include "widgets/DialogFrame.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QScreen>

void SetFixedDialogFrame(QDialog* dialog)
{
    dialog->setWindowFlags(
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

QWidget* OwnerOfBox(QWidget* owner)
{
    if (owner != nullptr)
        return owner;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QMainWindow*>(window) != nullptr)
            return window;
    }
    return nullptr;
}

void CentreOnOwner(QWidget* window, const QWidget* owner)
{
    const QWidget* ownerWindow = owner != nullptr ? owner->window() : nullptr;
    QRect area;
    if (ownerWindow != nullptr && ownerWindow->isVisible())
        area = ownerWindow->frameGeometry();
    else if (const QScreen* screen
        = ownerWindow != nullptr ? ownerWindow->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect placed(QPoint(), window->frameGeometry().size());
    placed.moveCenter(area.center());
    // Whole on the screen, even over an owner near its edge.
    if (const QScreen* screen = window->screen()) {
        const QRect desk = screen->availableGeometry();
        placed.moveLeft(
            std::max(desk.left(), std::min(placed.left(), desk.right() - placed.width())));
        placed.moveTop(
            std::max(desk.top(), std::min(placed.top(), desk.bottom() - placed.height())));
    }
    window->move(placed.topLeft());
}
