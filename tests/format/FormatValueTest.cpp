#include "tests/TestMain.h"
#include "tests/format/FormatTestSupport.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

const long double kInfinity = std::numeric_limits<long double>::infinity();
const long double kNaN = std::numeric_limits<long double>::quiet_NaN();

} // namespace

// FormatValue in the current settings, and the separators it writes.
class FormatValueTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { RestoreFormatDefaults(); }
    void cleanup() { RestoreFormatDefaults(); }

    void threshold_data()
    {
        QTest::addColumn<long double>("value");
        QTest::addColumn<QByteArray>("expected");
        const long double threshold = 1e-16; // the double, widened
        QTest::newRow("1e-17") << Extended(1e-17) << QByteArray("0");
        QTest::newRow("-1e-17") << Extended(-1e-17) << QByteArray("0");
        QTest::newRow("double 1e-16") << threshold << QByteArray("1E-16");
        QTest::newRow("-double 1e-16") << -threshold << QByteArray("-1E-16");
        QTest::newRow("just below the double")
            << std::nextafter(threshold, 0.0L) << QByteArray("0");
        QTest::newRow("just below the negative double")
            << std::nextafter(-threshold, 0.0L) << QByteArray("0");
        // The extended 1e-16 is nearer to the power of ten, above the double.
        QTest::newRow("extended 1e-16") << 1e-16L << QByteArray("1E-16");
        QTest::newRow("cos of pi/2") << Extended(6.123233995736766e-17) << QByteArray("0");
        QTest::newRow("0") << 0.0L << QByteArray("0");
        QTest::newRow("-0") << -0.0L << QByteArray("0");
        QTest::newRow("pi") << Extended(3.141592653589793) << QByteArray("3.1416");
        QTest::newRow("INF") << kInfinity << QByteArray("INF");
        QTest::newRow("-INF") << -kInfinity << QByteArray("-INF");
        QTest::newRow("NAN") << kNaN << QByteArray("NAN");
        QTest::newRow("-NAN") << -kNaN << QByteArray("NAN");
    }
    void threshold()
    {
        QFETCH(long double, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(Utf8(FormatValue(value)), expected);
    }

    void followsSettings_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("defaults") << 0 << 5 << 1 << QByteArray("3.1416E7");
        QTest::newRow("exponent") << 1 << 5 << 2 << QByteArray("3.1416E+07");
        QTest::newRow("fixed") << 2 << 18 << 2 << QByteArray("31415926.54");
        QTest::newRow("number") << 3 << 18 << 2 << QByteArray("31,415,926.54");
        QTest::newRow("kind 4 is general") << 4 << 18 << 2 << QByteArray("31415926.5358979329");
        QTest::newRow("kind -1 is general") << -1 << 5 << 2 << QByteArray("3.1416E7");
        QTest::newRow("precision 40 acts as 18") << 2 << 40 << 3 << QByteArray("31415926.536");
        QTest::newRow("negative digits") << 3 << 18 << -4 << QByteArray("31,415,927");
    }
    void followsSettings()
    {
        QFETCH(int, kind);
        QFETCH(int, precision);
        QFETCH(int, digits);
        QFETCH(QByteArray, expected);
        SetFormatKind(kind);
        SetPrecision(precision);
        SetDigits(digits);
        QCOMPARE(Utf8(FormatValue(31415926.535897933)), expected);
    }

    void separators_data()
    {
        QTest::addColumn<QByteArray>("decimal");
        QTest::addColumn<QByteArray>("thousands");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray narrowNoBreakSpace = "\xE2\x80\xAF";
        const QByteArray arabicDecimal = "\xD9\xAB";
        QTest::newRow("German general")
            << QByteArray(",") << QByteArray(".") << 0 << QByteArray("31415926,5358979329");
        QTest::newRow("German number")
            << QByteArray(",") << QByteArray(".") << 3 << QByteArray("31.415.926,54");
        QTest::newRow("narrow no-break space")
            << QByteArray(",") << narrowNoBreakSpace << 3
            << QByteArray("31" + narrowNoBreakSpace + "415" + narrowNoBreakSpace + "926,54");
        QTest::newRow("two-byte decimal, exponent")
            << arabicDecimal << QByteArray(",") << 1
            << QByteArray("3" + arabicDecimal + "14159265358979329E+07");
        QTest::newRow("no grouping")
            << QByteArray(".") << QByteArray() << 3 << QByteArray("31415926.54");
        QTest::newRow("empty decimal keeps the point")
            << QByteArray() << QByteArray(",") << 3 << QByteArray("31,415,926.54");
        QTest::newRow("over-long separators keep the defaults")
            << QByteArray(17, '#') << QByteArray(17, '_') << 3 << QByteArray("31,415,926.54");
        QTest::newRow("longest separators")
            << QByteArray(16, '#') << QByteArray(16, '_') << 3
            << QByteArray(QByteArray("31") + QByteArray(16, '_') + "415" + QByteArray(16, '_')
                   + "926" + QByteArray(16, '#') + "54");
    }
    void separators()
    {
        QFETCH(QByteArray, decimal);
        QFETCH(QByteArray, thousands);
        QFETCH(int, kind);
        QFETCH(QByteArray, expected);
        const long double value = 31415926.535897933;
        // A layout of the caller's own leaves the program's as it was, and back.
        NumberLayout layout;
        layout.kind = OfferedFormatKind(kind);
        layout.precision = 18;
        layout.digits = 2;
        layout.separators = NumberSeparators(decimal.toStdString(), thousands.toStdString());
        QCOMPARE(Utf8(FormatValue(value, layout)), expected);
        QCOMPARE(Utf8(FormatValue(value)), QByteArray("3.1416E7"));

        SetNumberSeparators(decimal.toStdString(), thousands.toStdString());
        SetFormatKind(kind);
        SetPrecision(18);
        SetDigits(2);
        QCOMPARE(Utf8(FormatValue(value)), expected);
        QCOMPARE(Utf8(FormatValue(value, NumberLayout())), QByteArray("3.1416E7"));
    }

    // The longest texts there are: 18 grouped digits, 18 decimals, and the
    // separators at their longest.
    void longestTexts()
    {
        SetNumberSeparators(std::string(16, '#'), std::string(16, '_'));
        const std::string number = NumberText(-123456789012345678.0L, ffNumber, 18, 18);
        QCOMPARE(number.size(), size_t(1 + 18 + 5 * 16 + 16 + 18));
        const std::string decimals = NumberText(-0.5L, ffFixed, 18, 18);
        QCOMPARE(Utf8(decimals), "-0" + QByteArray(16, '#') + "500000000000000000");
    }
};

TRALTO_TEST(FormatValueTest);

// FormatExact: the hints of the two-dimensional window.
class FormatExactTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { RestoreFormatDefaults(); }

    void text_data()
    {
        QTest::addColumn<bool>("normalise");
        QTest::addColumn<long double>("value");
        QTest::addColumn<QByteArray>("expected");
        const double pi = 3.141592653589793;
        const auto row
            = [](const char* name, bool normalise, long double value, const char* expected) {
                  QTest::newRow(name) << normalise << value << QByteArray(expected);
              };
        row("0", false, 0, "0");
        row("-0", false, -0.0L, "0");
        row("-3", false, -3, "-3");
        row("largest whole number", false, 2147483647, "2147483647");
        row("negative whole number", false, -2147483647, "-2147483647");
        row("2^31 has decimals", false, 2147483648.0L, "2147483648.000000000000000000");
        row("-2^31 has decimals", false, -2147483648.0L, "-2147483648.000000000000000000");
        row("1e18 scientific", false, Extended(1e18), "1E18");
        row("large with a half", false, 123456789012.5L, "123456789012.500000000000000000");
        row("0.5", false, Extended(0.5), "0.500000000000000000");
        row("-1.5", false, Extended(-1.5), "-1.500000000000000000");
        row("pi/6", false, Extended(pi / 6), "0.523598775598298816");
        row("1e-20", false, Extended(1e-20), "0.000000000000000000");
        row("-1e-20 rounds to unsigned zero", false, Extended(-1e-20), "0.000000000000000000");
        row("pi", false, Extended(pi), "Pi");
        row("-pi", false, Extended(-pi), "-Pi");
        row("-pi normalised", true, Extended(-pi), "-Pi -> Pi");
        row("pi normalised", true, Extended(pi), "Pi");
        row("pi/4", false, Extended(pi / 4), "Pi/4");
        row("-pi/4 normalised", true, Extended(-pi / 4), "-Pi/4 -> 7Pi/4");
        row("pi/2", false, Extended(pi / 2), "Pi/2");
        row("-pi/2", false, Extended(-pi / 2), "-Pi/2");
        row("-pi/2 normalised", true, Extended(-pi / 2), "-Pi/2 -> 3Pi/2");
        row("3pi/4", false, Extended(3 * pi / 4), "3Pi/4");
        row("-3pi/4 normalised", true, Extended(-3 * pi / 4), "-3Pi/4 -> 5Pi/4");
        row("5pi/4", false, Extended(5 * pi / 4), "5Pi/4");
        row("-5pi/4 normalised stays", true, Extended(-5 * pi / 4), "-5Pi/4");
        row("3pi/2", false, Extended(3 * pi / 2), "3Pi/2");
        row("7pi/4", false, Extended(7 * pi / 4), "7Pi/4");
        row("-7pi/4 normalised stays", true, Extended(-7 * pi / 4), "-7Pi/4");
        row("2pi", false, Extended(2 * pi), "2*Pi -> 0");
        row("-2pi", true, Extended(-2 * pi), "-2*Pi -> 0");
        // π in full extended precision is not the double and is not named.
        row("extended pi", false, 3.14159265358979323846264338327950288L, "3.141592653589793240");
        row("pi/4 in extended precision", true, -0.785398163397448309615660845819875721L,
            "-0.785398163397448310");
        row("INF", false, std::numeric_limits<long double>::infinity(), "INF");
        row("-INF", true, -std::numeric_limits<long double>::infinity(), "-INF");
        row("NAN", true, std::numeric_limits<long double>::quiet_NaN(), "NAN");
    }
    void text()
    {
        QFETCH(bool, normalise);
        QFETCH(long double, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(Utf8(FormatExact(normalise, value)), expected);
    }

    // The hints do not follow the user's format.
    void ignoresSettings()
    {
        SetFormatKind(ffNumber);
        SetPrecision(3);
        SetDigits(0);
        QCOMPARE(Utf8(FormatExact(false, 1234567)), QByteArray("1234567"));
        QCOMPARE(Utf8(FormatExact(false, 0.5)), QByteArray("0.500000000000000000"));
    }
};

TRALTO_TEST(FormatExactTest);
#include "FormatValueTest.moc"
