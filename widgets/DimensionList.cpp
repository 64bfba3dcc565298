#include "widgets/DimensionList.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QItemSelectionModel>

namespace {

// What an assistive technology sees of the list: a combo box with its own
// name and the shown item as its value. (Qt's own interface names a combo
// box by its shown item on Linux, so the name would never be heard.)
class DimensionListAccessible : public QAccessibleWidget
{
public:
    explicit DimensionListAccessible(DimensionList* list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
        list->FollowListSelection();
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return List()->currentText();
        return QAccessibleWidget::text(kind);
    }

    // The items, as the list Qt opens shows them.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child->object() == List()->view() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override { return { showMenuAction(), pressAction() }; }
    void doAction(const QString& name) override
    {
        if (name != showMenuAction() && name != pressAction())
            return;
        if (List()->view()->isVisible())
            List()->hidePopup();
        else
            List()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    DimensionList* List() const { return static_cast<DimensionList*>(widget()); }
};

QAccessibleInterface* DimensionListInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(DimensionList::staticMetaObject.className()))
        return new DimensionListAccessible(static_cast<DimensionList*>(object));
    return nullptr;
}

} // namespace

DimensionList::DimensionList(QWidget* parent, int ownDimension)
    : QComboBox(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(DimensionListInterface);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("Dim_ComboBox"));
    setGeometry(0, 0, 41, 21);
    addItems({ QStringLiteral("2"), QStringLiteral("3") });
    setCurrentIndex(ownDimension == 2 ? 0 : 1);
    setAccessibleName(QStringLiteral("Dimension"));
}

void DimensionList::FollowListSelection()
{
    if (following_)
        return;
    following_ = true;
    connect(view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &DimensionList::TakeListSelection);
}

void DimensionList::TakeListSelection()
{
    // In the open list the user is still on the way to a choice, which ends
    // with a click or Enter.
    if (view()->isVisible())
        return;
    const QModelIndexList selected = view()->selectionModel()->selectedIndexes();
    if (selected.size() == 1 && selected.front().row() != currentIndex())
        setCurrentIndex(selected.front().row());
}
