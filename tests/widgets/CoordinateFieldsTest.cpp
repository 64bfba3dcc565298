#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "coordinates/CoordSet2D.h"
#include "coordinates/CoordSet3D.h"
#include "format/Formater.h"
#include "format/NumberReading.h"
#include "tests/TestMain.h"
#include "widgets/CoordinateFields.h"
#include "widgets/RadioGroup.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

// Fields and a RAD/DEG group on a bare widget: the rule without a window
// around it, for either set.
template <class Coordinates> struct Panel
{
    explicit Panel(std::initializer_list<int> angles)
        : rule(angles)
    {
        for (QLineEdit*& field : fields)
            field = new QLineEdit(QStringLiteral("0"), &widget);
        unit = new RadioGroup(&widget);
        unit->Add(QStringLiteral("RAD"));
        unit->Add(QStringLiteral("DEG"));
        unit->SetItemIndex(RAD);
        rule.Bind(fields, unit, &widget);
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (QLineEdit* field : fields)
            texts << field->text();
        return texts;
    }
    void Type(int index, const QString& text)
    {
        fields[index]->selectAll();
        QTest::keyClicks(fields[index], text);
    }
    // A different item chosen by the program counts as a click.
    void ChooseUnit(AngleUnit chosen) { unit->SetItemIndex(chosen); }

    QWidget widget;
    typename CoordinateFields<Coordinates>::Fields fields {};
    RadioGroup* unit = nullptr;
    CoordinateFields<Coordinates> rule;
};

std::unique_ptr<Panel<CoordSet3D>> Space()
{
    return std::make_unique<Panel<CoordSet3D>>(std::initializer_list<int> {
        CoordSet3D::Kug_theta, CoordSet3D::Kug_phi, CoordSet3D::Zyl_phi });
}

std::unique_ptr<Panel<CoordSet2D>> Plane()
{
    return std::make_unique<Panel<CoordSet2D>>(std::initializer_list<int> { CoordSet2D::Phi });
}

using Steps = std::vector<std::pair<int, QString>>;

} // namespace

Q_DECLARE_METATYPE(Steps)

namespace {

// A row: the unit chosen, the texts typed field by field, the texts shown.
void AddColumns()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QStringList>("texts");
}

template <class Coordinates> void TypeAndCompare(Panel<Coordinates>& panel)
{
    QFETCH(int, unit);
    QFETCH(Steps, steps);
    QFETCH(QStringList, texts);
    panel.ChooseUnit(AngleUnit(unit));
    for (const auto& [index, text] : steps)
        panel.Type(index, text);
    QCOMPARE(panel.Texts(), texts);
}

} // namespace

// The one rule of both coordinate windows: typed text, evaluated, an angle
// read in the chosen unit, the set converted, every other field rewritten.
class CoordinateFieldsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        SetFieldSeparators({});
        SetFormatKind(ffGeneral);
        SetPrecision(5);
        SetDigits(1);
    }

    void spaceFollowsTheTypedField_data()
    {
        AddColumns();
        using S = CoordSet3D;
        QTest::newRow("x in RAD") << int(RAD) << Steps { { S::Kar_x, "1" } }
                                  << QStringList { "1", "0", "0", "1", "1.5708", "0", "1", "0",
                                         "0" };
        QTest::newRow("x in DEG") << int(DEG) << Steps { { S::Kar_x, "1" } }
                                  << QStringList { "1", "0", "0", "1", "90", "0", "1", "0", "0" };
        QTest::newRow("y in DEG") << int(DEG) << Steps { { S::Kar_y, "1" } }
                                  << QStringList { "0", "1", "0", "1", "90", "90", "1", "90", "0" };
        QTest::newRow("theta read in degrees")
            << int(DEG)
            << Steps { { S::Kug_r, "2" }, { S::Kug_theta, "90" } }
            // cos of the double nearest to pi/2, doubled: not zero, and above
            // the 1e-16 under which a field shows 0.
            << QStringList { "2", "0", "1.2246E-16", "2", "90", "0", "2", "0", "1.2246E-16" };
        QTest::newRow("theta read in radians")
            << int(RAD) << Steps { { S::Kug_r, "2" }, { S::Kug_theta, "90" } }
            << QStringList { "1.788", "0", "-0.89615", "2", "90", "0", "1.788", "0", "-0.89615" };
        QTest::newRow("cylinder phi in degrees")
            << int(DEG)
            << Steps { { S::Zyl_r, "2" }, { S::Zyl_phi, "180" } }
            // sin of the double nearest to pi, doubled.
            << QStringList { "-2", "2.4493E-16", "0", "2", "90", "180", "2", "180", "0" };
    }

    void spaceFollowsTheTypedField() { TypeAndCompare(*Space()); }

    void planeFollowsTheTypedField_data()
    {
        AddColumns();
        using P = CoordSet2D;
        QTest::newRow("y in RAD") << int(RAD) << Steps { { P::Y, "1" } }
                                  << QStringList { "0", "1", "1", "1.5708" };
        QTest::newRow("y in DEG") << int(DEG) << Steps { { P::Y, "1" } }
                                  << QStringList { "0", "1", "1", "90" };
        QTest::newRow("phi read in degrees")
            << int(DEG) << Steps { { P::R, "2" }, { P::Phi, "90" } }
            << QStringList { "0", "2", "2", "90" };
        QTest::newRow("phi read in radians")
            << int(RAD) << Steps { { P::R, "2" }, { P::Phi, "90" } }
            << QStringList { "-0.89615", "1.788", "2", "90" };
        QTest::newRow("x and y keep each other")
            << int(RAD) << Steps { { P::X, "3" }, { P::Y, "4" } }
            << QStringList { "3", "4", "5", "0.9273" };
    }

    void planeFollowsTheTypedField() { TypeAndCompare(*Plane()); }

    void unitChangeRewritesTheAnglesOnly()
    {
        // The values stay; only the angles show in the other unit.
        auto space = Space();
        space->Type(CoordSet3D::Kar_y, "1");
        space->ChooseUnit(DEG);
        QCOMPARE(space->Texts(), QStringList({ "0", "1", "0", "1", "90", "90", "1", "90", "0" }));
        QCOMPARE(space->rule.Values().Get(CoordSet3D::Kug_phi), AxisAngle);

        auto plane = Plane();
        plane->Type(CoordSet2D::Y, "1");
        plane->ChooseUnit(DEG);
        QCOMPARE(plane->Texts(), QStringList({ "0", "1", "1", "90" }));
        plane->ChooseUnit(RAD);
        QCOMPARE(plane->Texts(), QStringList({ "0", "1", "1", "1.5708" }));
    }

    void ownWritesStartNoRecomputation()
    {
        // r shows as "1.4142"; read back from that text, it would move x and
        // y off 1. The rule's own writes are never read back.
        auto space = Space();
        space->Type(CoordSet3D::Kar_x, "1");
        space->Type(CoordSet3D::Kar_y, "1");
        QCOMPARE(space->fields[CoordSet3D::Kug_r]->text(), QStringLiteral("1.4142"));
        QCOMPARE(space->rule.Values().Get(CoordSet3D::Kar_x), 1.0L);
        QCOMPARE(space->rule.Values().Get(CoordSet3D::Kar_y), 1.0L);

        // And the flag is down again: the next keystroke counts.
        space->Type(CoordSet3D::Kar_z, "5");
        QCOMPARE(space->fields[CoordSet3D::Kug_r]->text(), QStringLiteral("5.1962"));
    }

    void pastedPointFillsItsSystem_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("german");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("texts"); // empty: not taken
        using S = CoordSet3D;
        QTest::newRow("spherical, degrees")
            << int(DEG) << false << int(S::Kug_phi) << "2; 90; 0"
            << QStringList { "2", "0", "1.2246E-16", "2", "90", "0", "2", "0", "1.2246E-16" };
        QTest::newRow("Cartesian, German numbers")
            << int(RAD) << true << int(S::Kar_y) << "3,0\t4,0\t0"
            << QStringList { "3,0", "4,0", "0", "5", "1,5708", "0,9273", "5", "0,9273", "0" };
        QTest::newRow("blanks make no point")
            << int(RAD) << false << int(S::Kar_x) << "1 2 3" << QStringList();
    }

    void pastedPointFillsItsSystem()
    {
        QFETCH(int, unit);
        QFETCH(bool, german);
        QFETCH(int, index);
        QFETCH(QString, pasted);
        QFETCH(QStringList, texts);
        SetFieldSeparators(german ? NumberSeparators { ",", "." } : NumberSeparators {});
        auto space = Space();
        space->ChooseUnit(AngleUnit(unit));
        const QStringList before = space->Texts();
        QCOMPARE(space->rule.TakePoint(index, pasted), !texts.isEmpty());
        QCOMPARE(space->Texts(), texts.isEmpty() ? before : texts);
        if (texts.isEmpty())
            return;
        // Copied as one text, the point pastes back into another window as
        // the same point.
        auto other = Space();
        other->ChooseUnit(AngleUnit(unit));
        QVERIFY(other->rule.TakePoint(index, space->rule.PointText(index)));
        for (int value = 0; value < CoordSet3D::ValueCount; ++value)
            QCOMPARE(other->rule.Values().Get(value), space->rule.Values().Get(value));
    }

    void rewriteWithoutSourceLeavesTheValues()
    {
        auto plane = Plane();
        plane->Type(CoordSet2D::X, "3");
        plane->fields[CoordSet2D::Y]->blockSignals(true);
        plane->fields[CoordSet2D::Y]->setText(QStringLiteral("typed over"));
        plane->fields[CoordSet2D::Y]->blockSignals(false);
        plane->rule.Rewrite(CoordinateFields<CoordSet2D>::NoSource);
        QCOMPARE(plane->Texts(), QStringList({ "3", "0", "3", "0" }));
    }
};

TRALTO_TEST(CoordinateFieldsTest);

#include "CoordinateFieldsTest.moc"
