#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "tests/RadioItemText.h"
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
        QCOMPARE(RadioItemText(&group, 1), QStringLiteral("d"));
        QSignalSpy clicks(&group, &RadioGroup::Clicked);
        // Re-selecting after a clear is a change, so it counts as a click.
        group.SetItemIndex(1);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(group.findChildren<QRadioButton*>()[1]->isChecked());
    }
};

TRALTO_TEST(RadioGroupTest);
#include "RadioGroupTest.moc"
