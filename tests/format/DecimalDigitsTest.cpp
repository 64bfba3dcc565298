#include "format/DecimalDigits.h"
#include "tests/TestMain.h"
#include "tests/format/FormatTestSupport.h"

#include <QTest>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace tralto;

namespace {

// The 18 digits in the layout of printf("%.17Le"), which glibc rounds
// correctly (to nearest, ties to even) from the exact binary value: an
// independent reference for the first rounding step.
std::string AsPrintf(const DecimalDigits& digits)
{
    const std::string significand = std::to_string(digits.significand);
    const int exponent = digits.exponent - 1;
    char text[64];
    std::snprintf(text, sizeof text, "%s%c.%se%c%02d", digits.negative ? "-" : "", significand[0],
        significand.c_str() + 1, exponent < 0 ? '-' : '+', std::abs(exponent));
    return text;
}

std::string Reference(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17Le", value);
    return text;
}

long double FromBits(uint64_t mantissa, uint16_t signExponent)
{
    long double value = 0;
    std::memcpy(&value, &mantissa, sizeof mantissa);
    std::memcpy(reinterpret_cast<unsigned char*>(&value) + sizeof mantissa, &signExponent,
        sizeof signExponent);
    return value;
}

// Compares every value with the reference; on failure names the first value
// that differs.
void CompareWithReference(const std::vector<long double>& values)
{
    for (long double value : values) {
        const DecimalDigits digits = ToDecimalDigits(value);
        QCOMPARE(digits.numberClass, NumberClass::Finite);
        const std::string expected = Reference(value);
        const std::string actual = AsPrintf(digits);
        QVERIFY2(actual == expected,
            qPrintable(QStringLiteral("%1 instead of %2")
                           .arg(QString::fromStdString(actual), QString::fromStdString(expected))));
    }
}

// A few neighbours on each side, where the conversion changes its method.
void AddNeighbours(std::vector<long double>& values, long double centre)
{
    long double below = centre;
    long double above = centre;
    values.push_back(centre);
    for (int i = 0; i < 3; ++i) {
        below = std::nextafter(below, 0.0L);
        above = std::nextafter(above, std::numeric_limits<long double>::infinity());
        values.push_back(below);
        values.push_back(above);
    }
}

} // namespace

Q_DECLARE_METATYPE(NumberClass)

class DecimalDigitsTest : public QObject
{
    Q_OBJECT

private slots:
    void powersOfTen()
    {
        std::vector<long double> values;
        for (int power = -4931; power <= 4932; ++power) {
            const std::string text = "1e" + std::to_string(power);
            const long double value = std::strtold(text.c_str(), nullptr);
            if (std::abs(power) <= 40)
                AddNeighbours(values, value);
            else
                values.push_back(value);
        }
        CompareWithReference(values);
    }

    void methodBoundaries()
    {
        std::vector<long double> values;
        const long double boundaries[] = { 1e-10L, 1e-9L, 1e-8L, 1, 1e17L, 1e18L, 1e19L, 1e20L,
            0x1p63L, 0x1p64L, 0x1p127L, 0x1p128L, 1e38L, 1e39L };
        for (long double boundary : boundaries) {
            AddNeighbours(values, boundary);
            AddNeighbours(values, -boundary);
        }
        // The ends of the normal range, from the inside.
        long double smallest = std::numeric_limits<long double>::min();
        long double largest = std::numeric_limits<long double>::max();
        for (int i = 0; i < 4; ++i) {
            values.push_back(smallest);
            values.push_back(largest);
            smallest = std::nextafter(smallest, 1.0L);
            largest = std::nextafter(largest, 0.0L);
        }
        CompareWithReference(values);
    }

    // Exact halves at the 19th digit: integers and binary fractions.
    void tiesToEven()
    {
        std::vector<long double> values;
        for (uint64_t digits = 100000000000000000ull; digits < 100000000000000000ull + 2000;
             ++digits) {
            values.push_back(static_cast<long double>(digits * 10 + 5));
            values.push_back(static_cast<long double>(digits) + 0.5L);
            values.push_back((static_cast<long double>(digits) + 0.5L) * 0x1p-40L);
            values.push_back((static_cast<long double>(digits) + 0.5L) * 0x1p+40L);
        }
        CompareWithReference(values);
    }

    void randomValues()
    {
        std::mt19937_64 random(20240611);
        std::vector<long double> values;
        // Every binary exponent of the extended range.
        for (int i = 0; i < 4000; ++i) {
            const uint64_t mantissa = random() | 1ull << 63;
            const uint16_t exponent = uint16_t(1 + random() % 0x7FFE);
            values.push_back(FromBits(mantissa, uint16_t(exponent | (i % 2) << 15)));
        }
        // The magnitudes the coordinate windows show most.
        for (int i = 0; i < 40000; ++i) {
            const uint64_t mantissa = random() | 1ull << 63;
            const uint16_t exponent = uint16_t(16383 - 80 + random() % 160);
            values.push_back(FromBits(mantissa, uint16_t(exponent | (i % 2) << 15)));
        }
        CompareWithReference(values);
    }

    void classes_data()
    {
        QTest::addColumn<long double>("value");
        QTest::addColumn<NumberClass>("numberClass");
        QTest::addColumn<bool>("negative");
        const uint64_t integerBit = 1ull << 63;
        QTest::newRow("zero") << 0.0L << NumberClass::Zero << false;
        QTest::newRow("minus zero") << -0.0L << NumberClass::Zero << false;
        QTest::newRow("denormal") << FromBits(12345, 0) << NumberClass::Zero << false;
        QTest::newRow("negative denormal") << FromBits(12345, 0x8000) << NumberClass::Zero << false;
        QTest::newRow("pseudo-denormal")
            << FromBits(integerBit | 1, 0) << NumberClass::Zero << false;
        QTest::newRow("one") << 1.0L << NumberClass::Finite << false;
        QTest::newRow("minus one") << -1.0L << NumberClass::Finite << true;
        QTest::newRow("infinity") << FromBits(integerBit, 0x7FFF) << NumberClass::Infinite << false;
        QTest::newRow("minus infinity")
            << FromBits(integerBit, 0xFFFF) << NumberClass::Infinite << true;
        QTest::newRow("quiet NaN")
            << FromBits(integerBit | 1ull << 62, 0x7FFF) << NumberClass::NotANumber << false;
        QTest::newRow("negative NaN")
            << FromBits(integerBit | 1ull << 62, 0xFFFF) << NumberClass::NotANumber << false;
        QTest::newRow("pseudo-infinity") << FromBits(0, 0x7FFF) << NumberClass::NotANumber << false;
        QTest::newRow("unnormal") << FromBits(1ull << 62, 0x3FFF) << NumberClass::NotANumber
                                  << false;
    }
    void classes()
    {
        QFETCH(long double, value);
        QFETCH(NumberClass, numberClass);
        QFETCH(bool, negative);
        const DecimalDigits digits = ToDecimalDigits(value);
        QCOMPARE(digits.numberClass, numberClass);
        QCOMPARE(digits.negative, negative);
    }

    void finiteDigits()
    {
        const DecimalDigits one = ToDecimalDigits(1.0L);
        QCOMPARE(one.significand, 100000000000000000ull);
        QCOMPARE(one.exponent, 1);
        const DecimalDigits tenth = ToDecimalDigits(-0.1L);
        QCOMPARE(tenth.significand, 100000000000000000ull);
        QCOMPARE(tenth.exponent, 0);
        QVERIFY(tenth.negative);
        // 1 - 2^-64 rounds up to a power of ten and gains an exponent.
        const DecimalDigits belowOne = ToDecimalDigits(std::nextafter(1.0L, 0.0L));
        QCOMPARE(belowOne.significand, 100000000000000000ull);
        QCOMPARE(belowOne.exponent, 1);
    }
};

TRALTO_TEST(DecimalDigitsTest);
#include "DecimalDigitsTest.moc"
