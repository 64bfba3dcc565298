#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
    , group_(new QButtonGroup(this))
    , layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(8, 2, 4, 2);
    layout_->setSpacing(0);
    connect(group_, &QButtonGroup::idToggled, this, &RadioGroup::OnButtonToggled);
}

void RadioGroup::Add(const QString& text)
{
    auto* button = new QRadioButton(text, this);
    const int index = Count();
    button->setObjectName(objectName() + QStringLiteral("_Item%1").arg(index));
    group_->addButton(button, index);
    layout_->addWidget(button);
    // At once, not at the next turn of the event loop as the layout would:
    // Tab passes over an item that is not shown yet.
    button->show();
    buttons_.append(button);
}

void RadioGroup::focusInEvent(QFocusEvent* event)
{
    // The keyboard reaches the group through its chosen item, or its first.
    // (No focus proxy: Tab would then stop at the group wherever Qt's
    // creation order put it, before the keyboard order set for its items.)
    QRadioButton* item = nullptr;
    if (itemIndex_ >= 0)
        item = buttons_[itemIndex_];
    else if (!buttons_.isEmpty())
        item = buttons_.front();
    if (item != nullptr)
        item->setFocus(event->reason());
    else
        QGroupBox::focusInEvent(event);
}

void RadioGroup::Clear()
{
    for (QRadioButton* button : std::as_const(buttons_)) {
        group_->removeButton(button);
        delete button;
    }
    buttons_.clear();
    itemIndex_ = -1;
}

QString RadioGroup::ItemText(int index) const
{
    return index >= 0 && index < Count() ? buttons_[index]->text() : QString();
}

void RadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= Count())
        index = -1;
    if (index == itemIndex_)
        return;
    // Set first, so that the item's check mark is no second change.
    itemIndex_ = index;
    if (index >= 0) {
        buttons_[index]->setChecked(true);
    } else if (QAbstractButton* checked = group_->checkedButton()) {
        // An exclusive group cannot uncheck its last button directly.
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
    emit Clicked();
}

void RadioGroup::OnButtonToggled(int index, bool checked)
{
    // The group follows the check mark however the item got it: a click, the
    // keyboard, or an assistive technology that toggles the item directly.
    // The item that is already selected changes nothing.
    if (!checked || index == itemIndex_)
        return;
    itemIndex_ = index;
    emit Clicked();
}

void SetKeyboardOrder(const QList<QWidget*>& order)
{
    QList<QWidget*> chain;
    for (QWidget* widget : order) {
        if (auto* group = qobject_cast<RadioGroup*>(widget)) {
            for (QRadioButton* button :
                group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
                chain << button;
        } else {
            chain << widget;
        }
    }
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    // And round again: from the last the keyboard returns to the first, not
    // to whatever Qt's creation order put after the last.
    if (chain.size() > 1)
        QWidget::setTabOrder(chain.last(), chain.first());
}
