#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "tests/TestMain.h"
#include "widgets/RadioGroup.h"

class RadioGroupTest : public QObject
{
    Q_OBJECT

private slots:
    void programSelectionFiresOnlyOnChange()
    {
        RadioGroup group;
        group.Add(QStringLiteral("RAD"));
        group.Add(QStringLiteral("DEG"));
        QSignalSpy clicks(&group, &RadioGroup::Clicked);
        QCOMPARE(group.ItemIndex(), -1);

        group.SetItemIndex(0);
        group.SetItemIndex(0);
        QCOMPARE(clicks.count(), 1);
        group.SetItemIndex(1);
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(group.ItemIndex(), 1);

        // Out-of-range indexes mean "none".
        group.SetItemIndex(7);
        QCOMPARE(group.ItemIndex(), -1);
        QCOMPARE(clicks.count(), 3);
    }

    void userClickSelectsAndFires()
    {
        RadioGroup group;
        group.Add(QStringLiteral("RAD"));
        group.Add(QStringLiteral("DEG"));
        group.SetItemIndex(0);
        group.show();
        QSignalSpy clicks(&group, &RadioGroup::Clicked);
        auto buttons = group.findChildren<QRadioButton*>();
        QCOMPARE(buttons.size(), 2);

        QTest::mouseClick(buttons[1], Qt::LeftButton);
        QCOMPARE(group.ItemIndex(), 1);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(buttons[1], Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }

    void everyWayOfCheckingSelects_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("arrow key") << "key";
        QTest::newRow("accessibility toggle") << QAccessibleActionInterface::toggleAction();
        QTest::newRow("accessibility press") << QAccessibleActionInterface::pressAction();
        QTest::newRow("check mark set directly") << "setChecked";
    }

    void everyWayOfCheckingSelects()
    {
        // A screen reader toggles an item without a click: the group follows.
        QFETCH(QString, way);
        RadioGroup group;
        group.Add(QStringLiteral("RAD"));
        group.Add(QStringLiteral("DEG"));
        group.SetItemIndex(0);
        group.show();
        QVERIFY(QTest::qWaitForWindowExposed(&group));
        QSignalSpy clicks(&group, &RadioGroup::Clicked);
        QRadioButton* degrees = group.findChildren<QRadioButton*>()[1];
        if (way == "key") {
            QRadioButton* radians = group.findChildren<QRadioButton*>()[0];
            radians->setFocus();
            QTest::keyClick(radians, Qt::Key_Down);
        } else if (way == "setChecked") {
            degrees->setChecked(true);
        } else {
            QAccessibleInterface* item = QAccessible::queryAccessibleInterface(degrees);
            QVERIFY(item && item->actionInterface());
            item->actionInterface()->doAction(way);
        }
        QTRY_COMPARE(group.ItemIndex(), 1);
        QCOMPARE(clicks.count(), 1);
    }

    void clearRemovesItemsAndSelection()
    {
        RadioGroup group;
        group.Add(QStringLiteral("a"));
        group.Add(QStringLiteral("b"));
        group.SetItemIndex(1);
        group.Clear();
        QCOMPARE(group.Count(), 0);
        QCOMPARE(group.ItemIndex(), -1);
        group.Add(QStringLiteral("c"));
        group.Add(QStringLiteral("d"));
        QCOMPARE(group.ItemText(1), QStringLiteral("d"));
        QSignalSpy clicks(&group, &RadioGroup::Clicked);
        // Re-selecting after a clear is a change, so it counts as a click.
        group.SetItemIndex(1);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(group.findChildren<QRadioButton*>()[1]->isChecked());
    }
};

TRALTO_TEST(RadioGroupTest);
#include "RadioGroupTest.moc"
