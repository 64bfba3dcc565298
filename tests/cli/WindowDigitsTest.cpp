#include "format/Formater.h"
#include "settings/Globalobjects.h"
#include "tests/CoordWindowSupport.h"
#include "tests/ProgramFolder.h"
#include "tests/TestMain.h"
#include "tests/cli/CliTestSupport.h"
#include "widgets/RadioGroup.h"
#include "windows/Coordform.h"
#include "windows/Coordform2.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

const char* const SpaceFields[9] = { "Koord_Karx_Edit", "Koord_Kary_Edit", "Koord_Karz_Edit",
    "Koord_Kugx_Edit", "Koord_Kugtheta_Edit", "Koord_KugPhi_Edit", "Koord_Zylr_Edit",
    "Koord_Zylphi_Edit", "Koord_Zylz_Edit" };
const char* const PlaneFields[4]
    = { "Koord2D_x_Edit", "Koord2D_y_Edit", "Koord2D_r_Edit", "Koord2D_phi_Edit" };

// The first field of each system in its window, by the command line's name of the system.
int FirstField(const QString& system)
{
    if (system == "spherical" || system == "polar")
        return system == "polar" ? 2 : 3;
    return system == "cylindrical" ? 6 : 0;
}

} // namespace

// The same point typed into the real window and given to the command line, with the same
// settings, shows the same digits in both.
class WindowDigitsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<globalObjects> globals_;

    // Enters the values into the source fields, field after field as a user would, and returns
    // the texts of the target fields.
    QStringList EnterIntoWindow(QWidget* window, const char* const* fields, const QString& from,
        const QString& to, const QStringList& values)
    {
        for (int i = 0; i < values.size(); ++i) {
            auto* edit = window->findChild<QLineEdit*>(fields[FirstField(from) + i]);
            edit->selectAll();
            // The plane window rebuilds the point from polar form at every change of r or
            // phi, so each keystroke of a value moves its last digits a little (r is taken from
            // the point the previous keystroke left). Entered in one edit, as when pasted, a
            // value gives what the command line gives. The space window converts from the
            // whole entered triple, so there keystrokes leave no trace.
            if (values.size() == 2)
                edit->insert(values[i]);
            else
                QTest::keyClicks(edit, values[i]);
        }
        QStringList shown;
        for (int i = 0; i < values.size(); ++i)
            shown << window->findChild<QLineEdit*>(fields[FirstField(to) + i])->text();
        return shown;
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<ProgramFolder>();
        QVERIFY(folder_->IsValid());
        globals_ = std::make_unique<globalObjects>(folder_->ProgramPath());
        globals_->LoadLanguage(QStringLiteral("enu"));
    }
    void cleanup()
    {
        globals_.reset();
        folder_.reset();
    }

    void sameDigitsAsTheWindow_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("options");
        // Format options of the command line and the same settings for the window.
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("digits");

        const QString exact = "--exact";
        QTest::newRow("cartesian to spherical, defaults")
            << "cartesian"
            << "spherical" << QStringList { "1", "2", "3" } << "" << 0 << 5 << 1;
        QTest::newRow("cartesian to spherical, xy-plane, degrees, exact")
            << "cartesian"
            << "spherical" << QStringList { "-4.5", "0.25", "-7" }
            << "--theta xy-plane --deg " + exact << 0 << 18 << 1;
        QTest::newRow("spherical to cartesian, degrees, exact")
            << "spherical"
            << "cartesian" << QStringList { "1", "90", "45" } << "--deg " + exact << 0 << 18 << 1;
        QTest::newRow("spherical to cartesian, degrees, small angles, exact")
            << "spherical"
            << "cartesian" << QStringList { "2.5", "0.001", "-179.999" } << "--deg " + exact << 0
            << 18 << 1;
        QTest::newRow("spherical to cylindrical, xy-plane, exponent")
            << "spherical"
            << "cylindrical" << QStringList { "2.5", "2*pi/3", "-1" }
            << "--theta xy-plane --format exponent --precision 8 --digits 3" << 1 << 8 << 3;
        QTest::newRow("cylindrical to cartesian, degrees, fixed")
            << "cylindrical"
            << "cartesian" << QStringList { "3", "0x1F", "1e-3" }
            << "--deg --format fixed --precision 18 --digits 12" << 2 << 18 << 12;
        QTest::newRow("cylindrical to spherical, number")
            << "cylindrical"
            << "spherical" << QStringList { "1234.5", "-2", "7" }
            << "--format number --precision 12 --digits 2" << 3 << 12 << 2;
        QTest::newRow("negative radius, exact")
            << "spherical"
            << "cartesian" << QStringList { "-1", "0", "0" } << exact << 0 << 18 << 1;
        QTest::newRow("origin, exact")
            << "cartesian"
            << "cylindrical" << QStringList { "0", "0", "0" } << exact << 0 << 18 << 1;
        QTest::newRow("cartesian to spherical, degrees, exact, thirds")
            << "cartesian"
            << "spherical" << QStringList { "1/3", "-2/3", "sqrt 2" } << "--deg " + exact << 0 << 18
            << 1;
        QTest::newRow("plane to polar, exact")
            << "cartesian2"
            << "polar" << QStringList { "3", "4" } << exact << 0 << 18 << 1;
        QTest::newRow("polar to plane, degrees, exact")
            << "polar"
            << "cartesian2" << QStringList { "2", "90" } << "--deg " + exact << 0 << 18 << 1;
        QTest::newRow("polar to plane, negative r, exact")
            << "polar"
            << "cartesian2" << QStringList { "-2", "1" } << exact << 0 << 18 << 1;
        QTest::newRow("polar to plane, thirds, exact")
            << "polar"
            << "cartesian2" << QStringList { "1/3", "pi/6" } << exact << 0 << 18 << 1;
        QTest::newRow("plane to polar, degrees, exponent")
            << "cartesian2"
            << "polar" << QStringList { "-1", "-0.5" } << "--deg --format exponent --digits 2" << 1
            << 5 << 2;
    }
    void sameDigitsAsTheWindow()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, values);
        QFETCH(QString, options);
        QFETCH(int, kind);
        QFETCH(int, precision);
        QFETCH(int, digits);

        const bool space = values.size() == 3;
        int dimension = space ? 3 : 2;
        std::unique_ptr<QWidget> window;
        if (space)
            window = std::make_unique<TFormCoord>(nullptr, dimension, qApp, *globals_);
        else
            window = std::make_unique<TFormCoord2>(nullptr, dimension, qApp, *globals_);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const bool degrees = options.contains("--deg");
        if (space) {
            ClickRadioItem(
                *window, "Koord_KugelZ_RadioGroup", options.contains("xy-plane") ? 1 : 0);
            ClickRadioItem(*window, "Koord_Rad_Deg_RadioGroup", degrees ? 1 : 0);
        } else {
            ClickRadioItem(*window, "Koord2D_RadDeg_RadioGroup", degrees ? 1 : 0);
        }
        SetFormatKind(kind);
        SetPrecision(precision);
        SetDigits(digits);
        const QStringList shown
            = EnterIntoWindow(window.get(), space ? SpaceFields : PlaneFields, from, to, values);

        std::vector<std::string> arguments
            = Words(("convert --from " + from + " --to " + to + " " + options).toStdString());
        arguments.push_back("--");
        for (const QString& value : values)
            arguments.push_back(value.toStdString());
        const CliRun run = RunTralto(arguments);
        QCOMPARE(run.errors, std::string());
        QCOMPARE(run.status, 0);
        QCOMPARE(QString::fromStdString(run.output), shown.join(' ') + '\n');
    }
};

TRALTO_TEST(WindowDigitsTest);
#include "WindowDigitsTest.moc"
