#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

#include "format/Formater.h"
#include "settings/Globalobjects.h"
#include "tests/CoordWindowSupport.h"
#include "tests/ProgramFolder.h"
#include "tests/TestMain.h"
#include "widgets/RadioGroup.h"
#include "widgets/Showcoordwindow.h"
#include "windows/Coordform2.h"
#include "windows/Koord2d.h"

#include <cmath>
#include <memory>

namespace {
const char* const kPlaneFieldNames[4]
    = { "Koord2D_x_Edit", "Koord2D_y_Edit", "Koord2D_r_Edit", "Koord2D_phi_Edit" };
}

// The two-dimensional window driven as a user would.
class Coordform2Test : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<globalObjects> globals_;
    std::unique_ptr<TFormCoord2> form_;
    int dimension_ = 2;

    QLineEdit* Field(int index) const
    {
        return form_->findChild<QLineEdit*>(kPlaneFieldNames[index]);
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (int index = 0; index < 4; ++index)
            texts << Field(index)->text();
        return texts;
    }
    void Type(int index, const QString& text) const
    {
        Field(index)->selectAll();
        QTest::keyClicks(Field(index), text);
    }
    void ChooseUnit(int item) const { ClickRadioItem(*form_, "Koord2D_RadDeg_RadioGroup", item); }
    QString HoverText(int index) const
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Field(index), &move);
        return Field(index)->toolTip();
    }

private slots:
    void tabGoesRoundUnitAndFields()
    {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QStringList expected { "Dim_ComboBox", "Koord2D_RadDeg_RadioGroup_Item0" };
        for (const char* name : kPlaneFieldNames)
            expected << QLatin1String(name);
        expected << "Dim_ComboBox";
        form_->findChild<QComboBox*>("Dim_ComboBox")->setFocus(Qt::TabFocusReason);
        QCOMPARE(WalkTheKeyboardOrder(7), expected);
    }

    void init()
    {
        folder_ = std::make_unique<ProgramFolder>();
        QVERIFY(folder_->IsValid());
        globals_ = std::make_unique<globalObjects>(folder_->ProgramPath());
        globals_->LoadLanguage(QStringLiteral("enu"));
        dimension_ = 2;
        form_ = std::make_unique<TFormCoord2>(nullptr, dimension_, qApp, *globals_);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup()
    {
        form_.reset();
        globals_.reset();
        folder_.reset();
    }

    void newWindow()
    {
        QCOMPARE(Texts(), QStringList({ "0", "0", "0", "0" }));
        QCOMPARE(form_->findChild<QComboBox*>("Dim_ComboBox")->currentText(), QStringLiteral("2"));
        QVERIFY(!form_->findChild<QLabel*>("Koord2D_phi_Image")->pixmap().isNull());
        QVERIFY(!form_->findChild<QLabel*>("Coord2D_Image")->pixmap().isNull());
        QCOMPARE(Field(3)->accessibleName(), QStringLiteral("phi"));
    }

    void originRules()
    {
        Type(3, QStringLiteral("1")); // an angle at the origin is lost
        QCOMPARE(Texts(), QStringList({ "0", "0", "0", "1" }));
        Type(2, QStringLiteral("2")); // a distance at the origin points along x
        QCOMPARE(Texts(), QStringList({ "2", "0", "2", "0" }));
    }

    void distanceAndAngleKeepTheOtherPart()
    {
        Type(0, QStringLiteral("3"));
        Type(1, QStringLiteral("4"));
        QCOMPARE(Field(2)->text(), QStringLiteral("5"));
        Type(2, QStringLiteral("10"));
        QCOMPARE(Texts().mid(0, 2), QStringList({ "6", "8" }));
        Type(3, QStringLiteral("0"));
        QCOMPARE(Texts(), QStringList({ "10", "0", "10", "0" }));
    }

    void unitClickRewritesAllFour()
    {
        Type(0, QStringLiteral("0"));
        Type(1, QStringLiteral("1+0"));
        ChooseUnit(1);
        QCOMPARE(Texts(), QStringList({ "0", "1", "1", "90" }));
        Type(3, QStringLiteral("180"));
        QCOMPARE(Texts().mid(0, 3), QStringList({ "-1", "0", "1" }));
        // The extended sine of 180° in radians is a hair below zero, so the
        // turned point lies just below the negative x axis.
        ChooseUnit(0);
        QCOMPARE(Field(3)->text(), QStringLiteral("-3.1416"));
    }

    void layoutAtDesignWidth()
    {
        form_->findChild<QWidget*>("Koord2D_Panel")->resize(483, 73);
        for (int index = 0; index < 4; ++index)
            QCOMPARE(Field(index)->width(), 204);
        QCOMPARE(Field(1)->x(), 273);
        QCOMPARE(Field(3)->x(), 273);
        QCOMPARE(Field(0)->x(), 24);
        QCOMPARE(form_->findChild<QLabel*>("Koord2D_y_Label")->x(), 246);
        QCOMPARE(form_->findChild<QLabel*>("Koord2D_phi_Image")->x(), 246);
    }

    void fieldsFollowTheWindowWidth_data()
    {
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<int>("fieldWidth");
        QTest::newRow("design width") << 483 << 204;
        QTest::newRow("the frame's width") << 696 << 311;
        QTest::newRow("wide") << 1000 << 463;
        QTest::newRow("odd width, truncated") << 697 << 311;
    }

    void fieldsFollowTheWindowWidth()
    {
        // The panel is docked to the top over the whole width: the fields
        // share what the two label columns leave, the right column follows.
        QFETCH(int, windowWidth);
        QFETCH(int, fieldWidth);
        form_->resize(windowWidth, 294);
        QCOMPARE(
            form_->findChild<QWidget*>("Koord2D_Panel")->geometry(), QRect(0, 25, windowWidth, 73));
        QCOMPARE(form_->findChild<QWidget*>("Panel1")->width(), windowWidth);
        for (int index = 0; index < 4; ++index)
            QCOMPARE(Field(index)->width(), fieldWidth);
        QCOMPARE(Field(0)->x(), 24);
        QCOMPARE(Field(2)->x(), 24);
        QCOMPARE(Field(1)->x(), fieldWidth + 69);
        QCOMPARE(Field(3)->x(), fieldWidth + 69);
        QCOMPARE(form_->findChild<QLabel*>("Koord2D_y_Label")->x(), fieldWidth + 42);
        QCOMPARE(form_->findChild<QLabel*>("Koord2D_phi_Image")->x(), fieldWidth + 42);
        QVERIFY(Field(1)->geometry().right() < windowWidth);
    }

    void hoverShowsExactValues()
    {
        Type(0, QStringLiteral("1"));
        Type(1, QStringLiteral("1"));
        ChooseUnit(1); // the exact phi stays in radians
        QCOMPARE(HoverText(0), QString::fromStdString(FormatExact(false, 1.0L)));
        QCOMPARE(HoverText(2), QString::fromStdString(FormatExact(false, std::sqrt(2.0L))));
        QCOMPARE(HoverText(3),
            QString::fromStdString(FormatExact(true, form_->Coordinates().Value().Angle())));
        QCOMPARE(HoverText(3), QStringLiteral("0.785398163397448310"));
    }

    void chosingThreeRequestsTheOtherWindow()
    {
        auto* list = form_->findChild<QComboBox*>("Dim_ComboBox");
        list->setCurrentIndex(1);
        emit list->activated(1);
        QCOMPARE(dimension_, 3);
        form_->hide();
        form_->show();
        QCOMPARE(list->currentText(), QStringLiteral("2"));
        // The request went to the application object; nobody listens here.
        QCoreApplication::removePostedEvents(qApp, WM_SHOWCOORDWINDOW);
    }
};

TRALTO_TEST(Coordform2Test);
#include "Coordform2Test.moc"
