#pragma once

// What the tests of the coordinate windows and their shell share: a stand-in
// for the main window that counts the switch requests, and a walk along the
// keyboard order.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "widgets/RadioGroup.h"
#include "widgets/Showcoordwindow.h"

// Catches WM_SHOWCOORDWINDOW where the main window would.
class RequestCounter : public QObject
{
public:
    int count = 0;
    bool event(QEvent* event) override
    {
        if (event->type() == WM_SHOWCOORDWINDOW)
            ++count;
        return QObject::event(event);
    }
};

// The object names of the widgets Tab visits, from the focused one on. Empty
// when no widget has the focus.
inline QStringList WalkTheKeyboardOrder(int steps)
{
    QStringList order;
    for (int step = 0; step < steps; ++step) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused)
            return {};
        order << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return order;
}

// Clicks item `item` of the radio group called groupName in window, as the
// user would.
inline void ClickRadioItem(const QWidget& window, const char* groupName, int item)
{
    auto* group = window.findChild<RadioGroup*>(groupName);
    QVERIFY(group);
    QTest::mouseClick(group->findChildren<QRadioButton*>()[item], Qt::LeftButton);
}
