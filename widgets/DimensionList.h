#pragma once

// The "2"/"3" list at the top left of a coordinate window: it shows the
// window's own dimension, and choosing the other one asks for the other
// window. A screen reader hears it by its name ("Dimension") rather than by
// the item shown, and may choose an item by selecting it in the list
// without opening it; the list takes that as the choice.

#include <QComboBox>

class DimensionList : public QComboBox
{
    Q_OBJECT

public:
    DimensionList(QWidget* parent, int ownDimension);

    // From now on an item selected in the closed list becomes the chosen
    // item. The accessibility interface asks for it when an assistive
    // technology first looks at the list; until then no list is built.
    void FollowListSelection();

private:
    void TakeListSelection();

    bool following_ = false;
};
