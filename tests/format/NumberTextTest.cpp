#include "tests/TestMain.h"
#include "tests/format/FormatTestSupport.h"

#include <QTest>

#include <climits>
#include <cmath>
#include <limits>

// The texts of NumberText in each layout, with "." and "," as separators.
class NumberTextTest : public QObject
{
    Q_OBJECT

    static void AddColumns()
    {
        QTest::addColumn<long double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QByteArray>("expected");
    }

    static void Row(
        const char* name, long double value, int precision, int digits, const char* expected)
    {
        QTest::newRow(name) << value << precision << digits << QByteArray(expected);
    }

    static void CheckLayout(TFloatFormat kind)
    {
        QFETCH(long double, value);
        QFETCH(int, precision);
        QFETCH(int, digits);
        QFETCH(QByteArray, expected);
        QCOMPARE(Utf8(NumberText(value, kind, precision, digits)), expected);
    }

private slots:
    void init() { RestoreFormatDefaults(); }

    void general_data()
    {
        AddColumns();
        Row("pi", Extended(3.141592653589793), 5, 1, "3.1416");
        Row("pi*1e7 scientific", Extended(31415926.535897933), 5, 1, "3.1416E7");
        Row("0.0001 lowest plain", Extended(0.0001), 5, 1, "0.0001");
        Row("0.00001 scientific", Extended(0.00001), 5, 1, "1E-5");
        Row("99999 highest plain", 99999, 5, 1, "99999");
        Row("100000 scientific", 100000, 5, 1, "1E5");
        Row("100000 plain at precision 6", 100000, 6, 1, "100000");
        Row("123456", 123456, 5, 1, "1.2346E5");
        Row("99999.5 carries into scientific", Extended(99999.5), 5, 1, "1E5");
        Row("99999.4 stays plain", Extended(99999.4), 5, 1, "99999");
        Row("-1e-7", Extended(-0.0000001), 5, 1, "-1E-7");
        Row("0", 0, 5, 1, "0");
        Row("-0 has no sign", -0.0L, 5, 1, "0");
        Row("denormal shows as 0", std::numeric_limits<long double>::denorm_min(), 5, 1, "0");
        Row("negative denormal", -std::numeric_limits<long double>::denorm_min(), 5, 1, "0");
        Row("0.00009999 scientific", Extended(0.00009999), 5, 1, "9.999E-5");
        Row("0.000099999 carries into plain", Extended(0.000099999), 4, 1, "0.0001");
        Row("digits ignored", Extended(3.141592653589793), 5, 4, "3.1416");
        Row("2.25 tie away from zero", Extended(2.25), 2, 1, "2.3");
        Row("-2.25 tie away from zero", Extended(-2.25), 2, 1, "-2.3");
        Row("0.15 is below the tie but shows 0.15", Extended(0.15), 2, 1, "0.15");
        Row("0.15 at precision 17", Extended(0.15), 17, 1, "0.14999999999999999");
        Row("0.15 at precision 18", Extended(0.15), 18, 1, "0.149999999999999994");
        // The exact values continue …4334919 and …8433994944: rounded once to
        // 17 digits they would end in 33 and 399.
        Row("second rounding of a first-step 5", Extended(1.9165752336868433), 17, 1,
            "1.9165752336868434");
        Row("second rounding carries", Extended(6.12332201863524), 17, 1, "6.12332201863524");
        Row("pi precision 18", Extended(3.141592653589793), 18, 1, "3.14159265358979312");
        Row("pi precision 15", Extended(3.141592653589793), 15, 1, "3.14159265358979");
        Row("precision 1 acts as 2", Extended(3.141592653589793), 1, 1, "3.1");
        Row("precision 0 acts as 2", Extended(3.141592653589793), 0, 1, "3.1");
        Row("precision INT_MIN acts as 2", Extended(3.141592653589793), INT_MIN, 1, "3.1");
        Row("precision 19 acts as 18", Extended(3.141592653589793), 19, 1, "3.14159265358979312");
        Row("precision INT_MAX acts as 18", Extended(3.141592653589793), INT_MAX, 1,
            "3.14159265358979312");
        Row("pi in extended precision", 3.14159265358979323846264338327950288L, 18, 1,
            "3.14159265358979324");
        // Ties at the 19th digit go to the even 18th digit.
        Row("tie to even, down", 100000000000000000.5L, 18, 1, "100000000000000000");
        Row("tie to even, up", 100000000000000001.5L, 18, 1, "100000000000000002");
        Row("integer tie to even, down", 1000000000000000005.0L, 18, 1, "1E18");
        Row("integer tie to even, up", 1000000000000000015.0L, 18, 1, "1.00000000000000002E18");
        Row("largest extended", std::numeric_limits<long double>::max(), 18, 1,
            "1.18973149535723177E4932");
        Row("smallest normal extended", std::numeric_limits<long double>::min(), 18, 1,
            "3.36210314311209351E-4932");
        Row("1e300", Extended(1e300), 5, 1, "1E300");
        Row("-1e-300", Extended(-1e-300), 5, 1, "-1E-300");
        Row("1e-16", Extended(1e-16), 5, 1, "1E-16");
        Row("cos of pi/2", Extended(6.123233995736766e-17), 5, 1, "6.1232E-17");
    }
    void general() { CheckLayout(ffGeneral); }

    void exponent_data()
    {
        AddColumns();
        Row("pi digits 0", Extended(3.141592653589793), 5, 0, "3.1416E+0");
        Row("pi digits 1", Extended(3.141592653589793), 5, 1, "3.1416E+0");
        Row("pi digits 2", Extended(3.141592653589793), 5, 2, "3.1416E+00");
        Row("pi digits 3", Extended(3.141592653589793), 5, 3, "3.1416E+000");
        Row("pi digits 4 pads nothing", Extended(3.141592653589793), 5, 4, "3.1416E+0");
        Row("pi digits 18 pads nothing", Extended(3.141592653589793), 5, 18, "3.1416E+0");
        Row("pi digits -1 pads nothing", Extended(3.141592653589793), 5, -1, "3.1416E+0");
        Row("pi*1e7 digits 1", Extended(31415926.535897933), 5, 1, "3.1416E+7");
        Row("pi*1e7 digits 2", Extended(31415926.535897933), 5, 2, "3.1416E+07");
        Row("1e20", Extended(1e20), 5, 1, "1.0000E+20");
        Row("1e20 digits 3", Extended(1e20), 5, 3, "1.0000E+020");
        Row("1e300 digits 2", Extended(1e300), 5, 2, "1.0000E+300");
        Row("1e-5 digits 2", Extended(1e-5), 5, 2, "1.0000E-05");
        Row("1e-5 digits 4", Extended(1e-5), 5, 4, "1.0000E-5");
        Row("-1e-7", Extended(-0.0000001), 5, 1, "-1.0000E-7");
        Row("0 digits 2", 0, 5, 2, "0.0000E+00");
        Row("0 digits 0", 0, 5, 0, "0.0000E+0");
        Row("-0 digits 1", -0.0L, 5, 1, "0.0000E+0");
        Row("99999.5 carries", Extended(99999.5), 5, 1, "1.0000E+5");
        Row("0.999996 carries to exponent 0", Extended(0.999996), 5, 1, "1.0000E+0");
        Row("0.5", Extended(0.5), 5, 1, "5.0000E-1");
        Row("precision 2", Extended(3.141592653589793), 2, 1, "3.1E+0");
        Row("precision 1 acts as 2", Extended(3.141592653589793), 1, 1, "3.1E+0");
        Row("precision 18", Extended(3.141592653589793), 18, 2, "3.14159265358979312E+00");
        Row("precision 30 acts as 18", Extended(0.5), 30, 1, "5.00000000000000000E-1");
    }
    void exponent() { CheckLayout(ffExponent); }

    void fixed_data()
    {
        AddColumns();
        Row("pi digits 1", Extended(3.141592653589793), 5, 1, "3.1");
        Row("pi digits 4", Extended(3.141592653589793), 5, 4, "3.1416");
        Row("pi digits 6 padded", Extended(3.141592653589793), 5, 6, "3.141600");
        Row("pi*1e7 beyond precision", Extended(31415926.535897933), 5, 1, "3.1416E7");
        Row("pi*1e7 precision 18 digits 2", Extended(31415926.535897933), 18, 2, "31415926.54");
        Row("0.125 rounds half up", Extended(0.125), 5, 2, "0.13");
        Row("-0.004 rounds to unsigned zero", Extended(-0.004), 5, 2, "0.00");
        Row("-0.006 keeps its sign", Extended(-0.006), 5, 2, "-0.01");
        Row("-2.5 digits 0", Extended(-2.5), 5, 0, "-3");
        Row("0.5 digits 0", Extended(0.5), 5, 0, "1");
        Row("-0.4 digits 0", Extended(-0.4), 5, 0, "0");
        Row("12345.678", Extended(12345.678), 5, 2, "12346.00");
        Row("0 digits 2", 0, 5, 2, "0.00");
        Row("-0 digits 2", -0.0L, 5, 2, "0.00");
        Row("0.0001 below two decimals", Extended(0.0001), 5, 2, "0.00");
        Row("0.0001 digits 4", Extended(0.0001), 5, 4, "0.0001");
        Row("0.00012345 digits 6", Extended(0.00012345), 5, 6, "0.000123");
        Row("99999.5 carries beyond precision", Extended(99999.5), 5, 1, "1E5");
        Row("99999.4", Extended(99999.4), 5, 1, "99999.0");
        Row("999.96 carries", Extended(999.96), 5, 1, "1000.0");
        Row("123456789 beyond precision", 123456789, 5, 2, "1.2346E8");
        Row("100000 beyond precision", 100000, 5, 0, "1E5");
        Row("integer part of 18 digits", Extended(123456789012345678.0), 18, 2,
            "123456789012345680.00");
        Row("integer part of 19 digits", Extended(1234567890123456789.0), 18, 0,
            "1.23456789012345677E18");
        Row("digits 18", Extended(0.5), 18, 18, "0.500000000000000000");
        Row("digits 25 acts as 18", Extended(0.5), 18, 25, "0.500000000000000000");
        Row("digits INT_MAX acts as 18", Extended(0.5), 18, INT_MAX, "0.500000000000000000");
        // More than 18 decimals must round at the 18th, not cut the digits off.
        Row("digits 25 rounds at 18 decimals", Extended(0.000123456789012345678), 18, 25,
            "0.000123456789012346");
        Row("digits -1 acts as 0", Extended(3.141592653589793), 5, -1, "3");
        Row("digits -1 keeps units", Extended(1234.5), 18, -1, "1235");
        Row("digits INT_MIN acts as 0", Extended(1234.5), 18, INT_MIN, "1235");
        Row("1e-20 at 18 decimals", Extended(1e-20), 18, 18, "0.000000000000000000");
        // The double 1.5e-18 lies just below the half, the double 2.5e-18 just above.
        Row("1.5e-18 at 18 decimals", Extended(1.5e-18), 18, 18, "0.000000000000000001");
        Row("2.5e-18 at 18 decimals", Extended(2.5e-18), 18, 18, "0.000000000000000003");
        Row("precision 0 acts as 2", Extended(3.141592653589793), 0, 4, "3.1000");
    }
    void fixed() { CheckLayout(ffFixed); }

    void number_data()
    {
        AddColumns();
        Row("pi*1e7 precision 18 digits 2", Extended(31415926.535897933), 18, 2, "31,415,926.54");
        Row("12345.678", Extended(12345.678), 5, 2, "12,346.00");
        Row("1234567 digits 0", 1234567, 18, 0, "1,234,567");
        Row("999", 999, 5, 0, "999");
        Row("1000", 1000, 5, 0, "1,000");
        Row("-1234.5", Extended(-1234.5), 18, 1, "-1,234.5");
        Row("999999.5 carries a group", Extended(999999.5), 18, 0, "1,000,000");
        Row("0.5", Extended(0.5), 5, 1, "0.5");
        Row("-0.004 rounds to unsigned zero", Extended(-0.004), 5, 2, "0.00");
        Row("18 integer digits", Extended(123456789012345678.0), 18, 0, "123,456,789,012,345,680");
        Row("beyond precision not grouped", 123456789, 5, 2, "1.2346E8");
        Row("digits -2 acts as 0", Extended(1234.5), 18, -2, "1,235");
    }
    void number() { CheckLayout(ffNumber); }

    void markers_data()
    {
        QTest::addColumn<TFloatFormat>("kind");
        QTest::addColumn<long double>("value");
        QTest::addColumn<QByteArray>("expected");
        const long double infinity = std::numeric_limits<long double>::infinity();
        const long double nan = std::numeric_limits<long double>::quiet_NaN();
        const TFloatFormat kinds[] = { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
        for (TFloatFormat kind : kinds) {
            const QByteArray prefix = "kind " + QByteArray::number(kind);
            QTest::newRow(prefix + " INF") << kind << infinity << QByteArray("INF");
            QTest::newRow(prefix + " -INF") << kind << -infinity << QByteArray("-INF");
            QTest::newRow(prefix + " NAN") << kind << nan << QByteArray("NAN");
            QTest::newRow(prefix + " -NAN") << kind << -nan << QByteArray("NAN");
        }
    }
    void markers()
    {
        QFETCH(TFloatFormat, kind);
        QFETCH(long double, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(Utf8(NumberText(value, kind, 5, 2)), expected);
    }

    // A kind the program never offers is shown in the general layout.
    void otherKindsAreGeneral()
    {
        const long double value = 31415926.535897933;
        const std::string general = NumberText(value, ffGeneral, 18, 2);
        QCOMPARE(Utf8(NumberText(value, ffCurrency, 18, 2)), Utf8(general));
        QCOMPARE(Utf8(NumberText(value, TFloatFormat(-1), 18, 2)), Utf8(general));
        QCOMPARE(Utf8(NumberText(value, TFloatFormat(99), 18, 2)), Utf8(general));
    }
};

TRALTO_TEST(NumberTextTest);
#include "NumberTextTest.moc"
