#include "widgets/RadioGroup.h"

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
    UpdateFocusProxy();
}

void RadioGroup::UpdateFocusProxy()
{
    // The keyboard reaches the group through its chosen item, or its first.
    QRadioButton* proxy = nullptr;
    if (itemIndex_ >= 0)
        proxy = buttons_[itemIndex_];
    else if (!buttons_.isEmpty())
        proxy = buttons_.front();
    setFocusProxy(proxy);
}

void RadioGroup::Clear()
{
    for (QRadioButton* button : std::as_const(buttons_)) {
        group_->removeButton(button);
        delete button;
    }
    buttons_.clear();
    itemIndex_ = -1;
    setFocusProxy(nullptr);
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
    UpdateFocusProxy();
    emit Clicked();
}

void RadioGroup::OnButtonClicked(int index)
{
    // A click on the item that is already selected changes nothing.
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    UpdateFocusProxy();
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
}
