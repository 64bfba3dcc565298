#pragma once

// Checks a window as a user would look at it: every text of a label,
// button, radio item, list, group title or heading has the room it needs,
// no two visible elements side by side overlap, and every element lies
// inside the element that holds it and inside the window. Returns one line
// per problem, naming the element; empty when the window is whole.

#include <QStringList>

class QWidget;

QStringList LayoutProblems(const QWidget* window);
