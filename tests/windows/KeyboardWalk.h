#pragma once

// Walks a window with the Tab key as a user does and names what receives the
// keyboard focus at each step.

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

inline QStringList TabWalk(QWidget* start, int steps)
{
    QStringList visited;
    start->setFocus(Qt::TabFocusReason);
    for (int step = 0; step < steps; ++step) {
        QWidget* focused = QApplication::focusWidget();
        if (focused == nullptr)
            break;
        visited << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return visited;
}
