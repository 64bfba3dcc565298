#include "widgets/CoordinateField.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <memory>

CoordinateField::CoordinateField(QWidget* parent)
    : QLineEdit(QStringLiteral("0"), parent)
{
}

void CoordinateField::SetPoint(PointTaker take, PointWriter write)
{
    takePoint_ = std::move(take);
    writePoint_ = std::move(write);
}

QString CoordinateField::PointText() const
{
    return writePoint_ ? writePoint_() : QString();
}

bool CoordinateField::OfferPoint(const QString& text)
{
    return !isReadOnly() && takePoint_ && takePoint_(text);
}

void CoordinateField::PasteClipboard()
{
    if (!OfferPoint(QApplication::clipboard()->text()))
        paste();
}

void CoordinateField::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) && OfferPoint(QApplication::clipboard()->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CoordinateField::mouseReleaseEvent(QMouseEvent* event)
{
    const QClipboard* clipboard = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()
        && OfferPoint(clipboard->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CoordinateField::dropEvent(QDropEvent* event)
{
    if (event->mimeData()->hasText() && OfferPoint(event->mimeData()->text())) {
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(event);
}

void CoordinateField::contextMenuEvent(QContextMenuEvent* event)
{
    // Qt's own menu, whose "Paste" (in Qt's words, before the keys it may
    // name) offers the point first too.
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    const QString pasteEntry = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) == pasteEntry) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &CoordinateField::PasteClipboard);
        }
    }
    menu->exec(event->globalPos());
}
