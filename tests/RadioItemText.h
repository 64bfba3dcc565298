#pragma once

#include <QRadioButton>
#include <QString>
#include <QWidget>

// The text of a radio group's index-th item, as the user reads it; empty
// when there is no such item.
inline QString RadioItemText(const QWidget* group, int index)
{
    const QList<QRadioButton*> items = group->findChildren<QRadioButton*>();
    return index >= 0 && index < items.size() ? items[index]->text() : QString();
}
