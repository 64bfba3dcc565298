#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
    , group_(new QButtonGroup(this))
    , layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(8, 2, 4, 2);
    layout_->setSpacing(0);
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::OnButtonClicked);
}

void RadioGroup::Add(const QString& text)
{
    auto* button = new QRadioButton(text, this);
    const int index = Count();
    button->setObjectName(objectName() + QStringLiteral("_Item%1").arg(index));
    group_->addButton(button, index);
    layout_->addWidget(button);
    buttons_.append(button);
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

void RadioGroup::OnButtonClicked(int index)
{
    // A click on the item that is already selected changes nothing.
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    emit Clicked();
}
