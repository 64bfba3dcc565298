#include "widgets/ActiveControl.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

ActiveControl::ActiveControl(QWidget* window)
    : QObject(window)
    , window_(window)
{
    setObjectName(QStringLiteral("ActiveControl"));
    connect(qApp, &QApplication::focusChanged, this, &ActiveControl::FocusChanged);
}

void ActiveControl::FocusChanged(QWidget*, QWidget* now)
{
    if (qobject_cast<QLineEdit*>(now) != nullptr && window_->isAncestorOf(now))
        field_ = now;
}

QWidget* ActiveControl::Control() const
{
    for (QWidget* field : { field_.data(), firstField_.data() }) {
        if (field != nullptr && field->isVisibleTo(window_) && field->isEnabled())
            return field;
    }
    return window_->focusWidget();
}

const ActiveControl* ActiveControl::Of(const QWidget* window)
{
    return window != nullptr
        ? window->findChild<const ActiveControl*>(QString(), Qt::FindDirectChildrenOnly)
        : nullptr;
}
