#include <QTest>

#include "expression/Numeric.h"
#include "tests/TestMain.h"
#include "tests/expression/ExpressionTestSupport.h"

#include <limits>

using namespace tralto;

namespace {

constexpr long double LargestDouble = std::numeric_limits<double>::max();

} // namespace

// The two roundings to double precision agree inside the normal double range; beyond it the
// conversion to double overflows or underflows, while the rounding for the coordinates keeps
// the exponent.
class NumericTest : public QObject
{
    Q_OBJECT

private slots:
    void roundToDouble_data()
    {
        QTest::addColumn<long double>("value");
        QTest::addColumn<long double>("toDouble");
        QTest::addColumn<long double>("keepingExponent");
        const auto row = [](const char* name, long double value, long double toDouble,
                             long double keepingExponent) {
            QTest::newRow(name) << value << toDouble << keepingExponent;
        };
        row("one third", 1.0L / 3, 1.0 / 3, 1.0 / 3);
        row("tie to even", 0x1.00000000000008p0L, 1, 1);
        row("above a tie", 0x1.00000000000009p0L, 0x1.0000000000001p0, 0x1.0000000000001p0);
        row("largest double", LargestDouble, LargestDouble, LargestDouble);
        row("below halfway past the largest double", 0x1.fffffffffffff7fep1023L, LargestDouble,
            LargestDouble);
        row("halfway past the largest double", 0x1.fffffffffffff8p1023L, Infinity, 0x1p1024L);
        row("negative, halfway past", -0x1.fffffffffffff8p1023L, -Infinity, -0x1p1024L);
        row("far beyond, rounded", 0x1.00000000000009p2000L, Infinity, 0x1.0000000000001p2000L);
        row("smallest normal double", 0x1p-1022L, 0x1p-1022L, 0x1p-1022L);
        row("subnormal range", 0x1.00000000000009p-1030L, 0x1p-1030L, 0x1.0000000000001p-1030L);
        row("below the subnormals", 0x1.8p-2000L, 0, 0x1.8p-2000L);
        row("negative, below the subnormals", -0x1.8p-2000L, -0.0L, -0x1.8p-2000L);
        row("negative zero", -0.0L, -0.0L, -0.0L);
        row("minus infinity", -Infinity, -Infinity, -Infinity);
        row("not a number", Numeric::NotANumber, Numeric::NotANumber, Numeric::NotANumber);
    }

    void roundToDouble()
    {
        QFETCH(long double, value);
        QFETCH(long double, toDouble);
        QFETCH(long double, keepingExponent);
        TRALTO_COMPARE_VALUE(Numeric::RoundToDouble(value), toDouble);
        TRALTO_COMPARE_VALUE(Numeric::RoundToDoublePrecision(value), keepingExponent);
    }
};

TRALTO_TEST(NumericTest);
#include "NumericTest.moc"
