#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "expression/Parser.h"
#include "format/Formater.h"
#include "glyphs/Glyphlookup.h"
#include "settings/Globalobjects.h"
#include "tests/CoordWindowSupport.h"
#include "tests/ProgramFolder.h"
#include "tests/TestMain.h"
#include "widgets/RadioGroup.h"
#include "widgets/Showcoordwindow.h"
#include "windows/Coordform.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kFieldNames[9] = { "Koord_Karx_Edit", "Koord_Kary_Edit", "Koord_Karz_Edit",
    "Koord_Kugx_Edit", "Koord_Kugtheta_Edit", "Koord_KugPhi_Edit", "Koord_Zylr_Edit",
    "Koord_Zylphi_Edit", "Koord_Zylz_Edit" };

} // namespace

// The three-dimensional window driven as a user would, key by key.
class CoordformTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<globalObjects> globals_;
    std::unique_ptr<TFormCoord> form_;
    RequestCounter requests_;
    int dimension_ = 3;
    std::vector<std::pair<std::string, std::string>> mathErrors_;

    QLineEdit* Field(int index) const { return form_->findChild<QLineEdit*>(kFieldNames[index]); }
    QStringList Texts() const
    {
        QStringList texts;
        for (int index = 0; index < 9; ++index)
            texts << Field(index)->text();
        return texts;
    }
    void Type(int index, const QString& text) const
    {
        Field(index)->selectAll();
        QTest::keyClicks(Field(index), text);
    }
    void Choose(const char* groupName, int item) const { ClickRadioItem(*form_, groupName, item); }

private slots:
    void init()
    {
        folder_ = std::make_unique<ProgramFolder>();
        QVERIFY(folder_->IsValid());
        globals_ = std::make_unique<globalObjects>(folder_->ProgramPath());
        globals_->LoadLanguage(QStringLiteral("enu"));
        dimension_ = 3;
        requests_.count = 0;
        mathErrors_.clear();
        SetMathErrorHandler([this](const std::string& function, const std::string& kind) {
            mathErrors_.emplace_back(function, kind);
        });
        form_ = std::make_unique<TFormCoord>(nullptr, dimension_, &requests_, *globals_);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup()
    {
        form_.reset();
        globals_.reset();
        folder_.reset();
        SetMathErrorHandler({});
    }

    void newWindowShowsConvertedOrigin()
    {
        QCOMPARE(Texts(), QStringList({ "0", "0", "0", "0", "0", "1.5708", "0", "1.5708", "0" }));
        QCOMPARE(form_->findChild<QComboBox*>("Dim_ComboBox")->currentText(), QStringLiteral("3"));
        QCOMPARE(form_->windowTitle(), QStringLiteral("Tralto"));
        QCOMPARE(form_->findChild<QLabel*>("Koord_Kug_Label")->text(),
            QStringLiteral("Spherical coordinates"));
    }

    void typingOneIntoX()
    {
        Type(0, QStringLiteral("1"));
        QCOMPARE(Texts(), QStringList({ "1", "0", "0", "1", "1.5708", "0", "1", "0", "0" }));
    }

    void recomputesAtEveryKeystroke()
    {
        QStringList radii;
        Field(0)->clear();
        for (const QChar key : QStringLiteral("3+4")) {
            QTest::keyClick(Field(0), key.toLatin1());
            radii << Field(3)->text();
        }
        QCOMPARE(radii, QStringList({ "3", "0", "7" }));
        QCOMPARE(Field(0)->text(), QStringLiteral("3+4"));
    }

    void degreesEnteredThenShownInRadians()
    {
        Choose("Koord_Rad_Deg_RadioGroup", 1);
        Type(3, QStringLiteral("1"));
        Type(4, QStringLiteral("90"));
        QCOMPARE(Field(4)->text(), QStringLiteral("90"));
        // theta 90° from the z axis, phi 90°: the point lies on the y axis.
        QCOMPARE(Field(2)->text(), QStringLiteral("0"));
        QCOMPARE(Field(1)->text(), QStringLiteral("1"));

        Choose("Koord_Rad_Deg_RadioGroup", 0);
        QCOMPARE(Field(4)->text(), QStringLiteral("1.5708"));
        QCOMPARE(Field(3)->text(), QStringLiteral("1"));
    }

    void conventionChangesDiagramAndTheta()
    {
        auto* sphere = form_->findChild<QLabel*>("Koord_Kugel_Image");
        const auto shows = [sphere](const char* name) {
            const QColor ink = sphere->palette().color(sphere->foregroundRole());
            return sphere->pixmap().toImage().convertToFormat(QImage::Format_ARGB32)
                == InkedBitmap(LoadGlyphBitmap(GlyphbankHandle(), QLatin1String(name)), ink)
                       .convertToFormat(QImage::Format_ARGB32);
        };
        QVERIFY(shows("Coord_KugelZ3"));
        Type(2, QStringLiteral("5")); // on the z axis: theta 0 from the axis
        QCOMPARE(Field(4)->text(), QStringLiteral("0"));

        Choose("Koord_KugelZ_RadioGroup", 1);
        QVERIFY(shows("Coord_Kugel3"));
        QCOMPARE(Field(4)->text(), QStringLiteral("1.5708"));
        QCOMPARE(Field(2)->text(), QStringLiteral("5"));

        Choose("Koord_KugelZ_RadioGroup", 0);
        QVERIFY(shows("Coord_KugelZ3"));
        QCOMPARE(Field(4)->text(), QStringLiteral("0"));
    }

    void mathErrorReportedOnceThenNextKeystrokeWorks()
    {
        Field(3)->clear();
        for (const QChar key : QStringLiteral("sqrt(-4)"))
            QTest::keyClick(Field(3), key.toLatin1());
        QCOMPARE(mathErrors_.size(), size_t(1));
        QCOMPARE(mathErrors_[0].first, std::string("sqrt"));
        QCOMPARE(mathErrors_[0].second, std::string("DOMAIN"));
        const QStringList texts = Texts();
        for (int index : { 0, 1, 2, 6, 7, 8 })
            QCOMPARE(texts[index], QStringLiteral("NAN"));

        Type(3, QStringLiteral("2"));
        QCOMPARE(Texts(), QStringList({ "0", "0", "2", "2", "0", "1.5708", "0", "1.5708", "2" }));
    }

    void infinityLeavesTheWindowUsable()
    {
        Type(0, QStringLiteral("1e400"));
        QCOMPARE(Field(3)->text(), QStringLiteral("INF"));
        Type(0, QStringLiteral("3"));
        QCOMPARE(Field(3)->text(), QStringLiteral("3"));
    }

    void languageChangeKeepsConventionAndRewritesFields()
    {
        Choose("Koord_KugelZ_RadioGroup", 1);
        Type(0, QStringLiteral("2*1"));
        globals_->LoadLanguage(QStringLiteral("deu"));
        form_->LanguageChanged();
        auto* group = form_->findChild<RadioGroup*>("Koord_KugelZ_RadioGroup");
        QCOMPARE(group->ItemIndex(), 1);
        QCOMPARE(group->ItemText(0), QStringLiteral("theta ist Winkel zur z-Achse"));
        QCOMPARE(group->ItemText(1), QStringLiteral("theta ist Winkel zur xy-Ebene"));
        QCOMPARE(Field(0)->text(), QStringLiteral("2"));
        QCOMPARE(form_->findChild<QLabel*>("Koord_Kar_Label")->text(),
            QStringLiteral("kartesische Koordinaten"));
    }

    void accessibleNamesFollowTheLanguage()
    {
        const auto name = [](QWidget* widget) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            return accessible ? accessible->text(QAccessible::Name) : QString();
        };
        QCOMPARE(name(Field(4)), QStringLiteral("theta, Spherical coordinates"));
        QCOMPARE(name(Field(7)), QStringLiteral("phi, Cylindrical coordinates"));
        // The list is heard by its name, not by the item it shows.
        QCOMPARE(name(form_->findChild<QComboBox*>("Dim_ComboBox")), QStringLiteral("Dimension"));
        QCOMPARE(name(form_->findChild<QWidget*>("Koord_Kugel_Image")),
            QStringLiteral("Spherical coordinates, theta: angle to the z axis"));
        Choose("Koord_KugelZ_RadioGroup", 1);
        QCOMPARE(name(form_->findChild<QWidget*>("Koord_Kugel_Image")),
            QStringLiteral("Spherical coordinates, theta: angle to the xy plane"));
        globals_->LoadLanguage(QStringLiteral("deu"));
        form_->LanguageChanged();
        QCOMPARE(name(Field(0)), QStringLiteral("x, kartesische Koordinaten"));
        QCOMPARE(name(form_->findChild<RadioGroup*>("Koord_KugelZ_RadioGroup")),
            QStringLiteral("Kugelkoordinaten: theta"));
        QCOMPARE(name(form_->findChild<QWidget*>("Koord_Kugel_Image")),
            QStringLiteral("Kugelkoordinaten, theta ist Winkel zur xy-Ebene"));
        QCOMPARE(name(form_->findChild<QWidget*>("Koord_Zylinder_Image")),
            QStringLiteral("Zylinderkoordinaten"));
    }

    void chosingTwoRequestsTheOtherWindow()
    {
        auto* list = form_->findChild<QComboBox*>("Dim_ComboBox");
        // Its own dimension again is no request.
        emit list->activated(1);
        QCoreApplication::sendPostedEvents(&requests_);
        QCOMPARE(requests_.count, 0);
        QCOMPARE(dimension_, 3);

        list->setCurrentIndex(0);
        emit list->activated(0);
        QCOMPARE(requests_.count, 0); // posted, not sent
        QCoreApplication::sendPostedEvents(&requests_);
        QCOMPARE(requests_.count, 1);
        QCOMPARE(dimension_, 2);

        form_->hide();
        form_->show();
        QCOMPARE(list->currentText(), QStringLiteral("3"));
    }

    void tabWalksTheKeyboardOrder()
    {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        Choose("Koord_Rad_Deg_RadioGroup", 1);
        form_->findChild<RadioGroup*>("Koord_KugelZ_RadioGroup")->setFocus();
        const QStringList order = WalkTheKeyboardOrder(12);
        QStringList expected { "Koord_KugelZ_RadioGroup_Item0", "Koord_Rad_Deg_RadioGroup_Item1" };
        for (const char* name : kFieldNames)
            expected << QLatin1String(name);
        expected << "Dim_ComboBox";
        QCOMPARE(order, expected);
    }

    void tabGoesRoundEveryChoiceAndField_data()
    {
        QTest::addColumn<QString>("languageAfterwards");
        QTest::newRow("at start") << QString();
        QTest::newRow("after a change of language") << QStringLiteral("deu");
    }

    void tabGoesRoundEveryChoiceAndField()
    {
        // From the dimension list round the whole window and back: the theta
        // choice first, then the unit, the nine fields, the list.
        QFETCH(QString, languageAfterwards);
        if (!languageAfterwards.isEmpty()) {
            globals_->LoadLanguage(languageAfterwards);
            form_->LanguageChanged();
        }
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QStringList expected { "Dim_ComboBox", "Koord_KugelZ_RadioGroup_Item0",
            "Koord_Rad_Deg_RadioGroup_Item0" };
        for (const char* name : kFieldNames)
            expected << QLatin1String(name);
        expected << "Dim_ComboBox";
        form_->findChild<QComboBox*>("Dim_ComboBox")->setFocus(Qt::TabFocusReason);
        QCOMPARE(WalkTheKeyboardOrder(13), expected);
    }

    void fieldsStretchDiagramsKeepTheRightEdge()
    {
        form_->resize(800, 450);
        auto* cylinder = form_->findChild<QLabel*>("Koord_Zylinder_Image");
        const int width = 800 - 296 - 2 * 5 - cylinder->width();
        for (int index = 0; index < 9; ++index)
            QCOMPARE(Field(index)->width(), width);
        QCOMPARE(cylinder->x(), 296 + width + 5);
        QCOMPARE(form_->findChild<QLabel*>("Koord_Kugel_Image")->x(), 296 + width + 5);
    }
};

TRALTO_TEST(CoordformTest);
#include "CoordformTest.moc"
