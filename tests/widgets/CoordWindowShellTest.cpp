#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "localisation/TextNumbers.h"
#include "settings/Globalobjects.h"
#include "tests/CoordWindowSupport.h"
#include "tests/TestMain.h"
#include "widgets/CoordWindowShell.h"
#include "widgets/CoordinateField.h"
#include "widgets/RadioGroup.h"
#include "widgets/Showcoordwindow.h"

#include <memory>

namespace {

// A window with nothing but the shell, and one field before the list.
class BareWindow : public CoordWindowShell
{
public:
    BareWindow(int ownDimension, int& dimension, QObject* receiver, globalObjects& globals)
        : CoordWindowShell(nullptr, ownDimension, dimension, receiver, globals, QSize(300, 200))
    {
        field = MakeField(this, "Field", QRect(10, 40, 80, 21));
        unit = MakeUnitGroup("Unit_RadioGroup", QPoint(10, 80));
        SetKeyboardOrderToList({ unit, field });
    }
    QComboBox* List() const { return DimensionList(); }

    QLineEdit* field;
    RadioGroup* unit;
};

} // namespace

// What both coordinate windows take from the shell: the switch request, the
// "Datei" menu, the unit group and the keyboard order.
class CoordWindowShellTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<globalObjects> globals_;

private slots:
    void init()
    {
        QVERIFY(folder_.isValid());
        globals_ = std::make_unique<globalObjects>(folder_.filePath(QStringLiteral("Tralmain")));
    }
    void cleanup() { globals_.reset(); }

    void theListAsksForTheOtherWindowOnly_data()
    {
        QTest::addColumn<int>("own");
        QTest::addColumn<int>("other");
        QTest::newRow("plane") << 2 << 3;
        QTest::newRow("space") << 3 << 2;
    }

    void theListAsksForTheOtherWindowOnly()
    {
        QFETCH(int, own);
        QFETCH(int, other);
        RequestCounter requests;
        int dimension = own;
        BareWindow window(own, dimension, &requests, *globals_);
        window.show();
        QCOMPARE(window.List()->currentText(), QString::number(own));

        emit window.List()->activated(window.List()->currentIndex());
        QCoreApplication::sendPostedEvents(&requests);
        QCOMPARE(requests.count, 0);
        QCOMPARE(dimension, own);

        const int otherItem = window.List()->findText(QString::number(other));
        window.List()->setCurrentIndex(otherItem);
        emit window.List()->activated(otherItem);
        QCOMPARE(requests.count, 0); // posted, not sent
        QCoreApplication::sendPostedEvents(&requests);
        QCOMPARE(requests.count, 1);
        QCOMPARE(dimension, other);

        // Shown again, the list names the window's own dimension.
        window.hide();
        window.show();
        QCOMPARE(window.List()->currentText(), QString::number(own));
    }

    void theListIsChosenThroughTheAccessibilityInterface_data()
    {
        theListAsksForTheOtherWindowOnly_data();
    }

    void theListIsChosenThroughTheAccessibilityInterface()
    {
        // A screen reader hears the list by its name and picks the other
        // item by selecting it in the closed list.
        QFETCH(int, own);
        QFETCH(int, other);
        RequestCounter requests;
        int dimension = own;
        BareWindow window(own, dimension, &requests, *globals_);
        window.show();
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(window.List());
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Dimension"));
        QCOMPARE(list->text(QAccessible::Value), QString::number(own));
        QAccessibleInterface* items = list->child(0);
        QVERIFY(items);
        QAccessibleInterface* otherItem = nullptr;
        for (int index = 0; index < items->childCount(); ++index) {
            if (items->child(index)->text(QAccessible::Name) == QString::number(other))
                otherItem = items->child(index);
        }
        QVERIFY(otherItem && otherItem->actionInterface());
        otherItem->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCoreApplication::sendPostedEvents(&requests);
        QCOMPARE(requests.count, 1);
        QCOMPARE(dimension, other);
    }

    void fileMenuIsRegisteredAndEnds()
    {
        int dimension = 3;
        RequestCounter requests;
        BareWindow window(3, dimension, &requests, *globals_);
        QMenu* menu = window.FileMenu();
        QCOMPARE(menu->menuAction()->objectName(), QStringLiteral("File_Item"));
        QAction* exit = window.findChild<QAction*>(QStringLiteral("Exit_Item"));
        QAction* copyPoint = window.findChild<QAction*>(QStringLiteral("CopyPoint_Item"));
        QVERIFY(exit != nullptr && copyPoint != nullptr);
        QCOMPARE(menu->actions().size(), 3);
        QCOMPARE(menu->actions().first(), copyPoint);
        QVERIFY(menu->actions()[1]->isSeparator());
        QCOMPARE(menu->actions().last(), exit);
        QCOMPARE(exit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QCOMPARE(copyPoint->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
        // No language file holds its text here: it keeps a caption of its own.
        QCOMPARE(copyPoint->text(), QStringLiteral("&Copy point"));

        const auto& items = globals_->Components().MenuItems();
        QCOMPARE(items.size(), size_t(2));
        QCOMPARE(items[0].item.data(), menu->menuAction());
        QCOMPARE(items[0].number, TextNumber::FileMenu);
        QCOMPARE(items[1].item.data(), exit);
        QCOMPARE(items[1].number, TextNumber::ExitItem);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        exit->trigger();
        QVERIFY(!window.isVisible());
    }

    void unitGroupAndKeyboardOrder()
    {
        int dimension = 2;
        RequestCounter requests;
        BareWindow window(2, dimension, &requests, *globals_);
        QCOMPARE(window.unit->Count(), 2);
        QCOMPARE(window.unit->ItemText(0), QStringLiteral("RAD"));
        QCOMPARE(window.unit->ItemText(1), QStringLiteral("DEG"));
        QCOMPARE(window.unit->ItemIndex(), 0);
        // The group's chosen item, the field, then the list.
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.unit->setFocus();
        QCOMPARE(WalkTheKeyboardOrder(3),
            QStringList({ "Unit_RadioGroup_Item0", "Field", "Dim_ComboBox" }));
    }
};

TRALTO_TEST(CoordWindowShellTest);

#include "CoordWindowShellTest.moc"
