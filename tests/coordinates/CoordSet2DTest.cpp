#include "coordinates/CoordSet2D.h"
#include "coordinates/CoordSet3D.h"
#include "tests/TestMain.h"
#include "tests/coordinates/ExtendedValues.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

// Expected values written as hexadecimal literals come from
// tests/coordinates/reference_values.py, which models every rounding step with exact arithmetic.

namespace {

// Update operations in the order the user makes them: (index, value).
using Steps = std::vector<std::pair<int, long double>>;
// x, y, r, phi as read back.
using Shown = std::array<long double, 4>;

constexpr int X = CoordSet2D::X;
constexpr int Y = CoordSet2D::Y;
constexpr int R = CoordSet2D::R;
constexpr int Phi = CoordSet2D::Phi;

constexpr const char* ShownNames[CoordSet2D::ValueCount] = { "x", "y", "r", "phi" };

CoordSet2D After(const Steps& steps)
{
    CoordSet2D point;
    for (const auto& [index, value] : steps)
        point.Set(index, value);
    return point;
}

// The angle between two directions, whatever turns of 2 pi lie between them: on the negative
// x-axis the shown angle may pass from pi to -pi.
long double TurnBetween(long double from, long double to)
{
    return std::fabs(std::remainder(to - from, 2 * Pi));
}

// A few units in the extended last place of an angle, at least of 1.
long double AngleBound(long double angle)
{
    return 4 * 0x1p-64L * std::max(1.0L, std::fabs(angle));
}

} // namespace

class CoordSet2DTest : public QObject
{
    Q_OBJECT

private slots:
    void updates_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<Shown>("expected");
        const long double angle34 = 0xED63382B0DDA7B45p-64L;

        QTest::newRow("new point") << Steps {} << Shown { 0, 0, 0, 0 };
        QTest::newRow("r at the origin") << Steps { { R, 2 } } << Shown { 2, 0, 2, 0 };
        QTest::newRow("phi at the origin is lost") << Steps { { Phi, 1 } } << Shown { 0, 0, 0, 0 };
        QTest::newRow("phi at the origin, then r")
            << Steps { { Phi, 1 }, { R, 2 } } << Shown { 2, 0, 2, 0 };
        QTest::newRow("negative r turns the point")
            << Steps { { X, 1 }, { R, -1 } } << Shown { -1, -0.0L, 1, -Pi };
        QTest::newRow("negative x axis") << Steps { { X, -1 }, { Y, 0 } } << Shown { -1, 0, 1, Pi };
        QTest::newRow("x keeps y") << Steps { { X, 3 }, { Y, 4 }, { X, -3 } }
                                   << Shown { -3, 4, 5, 0x8DB70C975DF22363p-62L };
        QTest::newRow("3, 4") << Steps { { X, 3 }, { Y, 4 } } << Shown { 3, 4, 5, angle34 };
        QTest::newRow("3, 4 turned to phi 0")
            << Steps { { X, 3 }, { Y, 4 }, { Phi, 0 } } << Shown { 5, 0, 5, 0 };
        QTest::newRow("3, 4 scaled to r 10")
            << Steps { { X, 3 }, { Y, 4 }, { R, 10 } } << Shown { 6, 8, 10, angle34 };
        // The extended pi/2 lies 2.5e-20 beyond pi/2: x is its cosine, not 0.
        QTest::newRow("90 degrees at distance 1") << Steps { { X, 1 },
            { Phi, DegToRad(90) } } << Shown { -0xECE675D1FC8F8CBBp-129L, 1, 1, Pi / 2 };
        QTest::newRow("phi 7 is shown reduced")
            << Steps { { X, 1 }, { Phi, 7 } }
            << Shown { 0xC0FFBCF6C900BAB0p-64L, 0xA83046136850421Ep-64L, 0xFFFFFFFFFFFFFC96p-64L,
                   0xB7812AEEF4B9EE5Ap-64L };

        // The modulus rounds the parts to double; the angle and polar form do not.
        QTest::newRow("modulus rounds the parts to double")
            << Steps { { X, 1 + 0x1p-60L } } << Shown { 1 + 0x1p-60L, 0, 1, 0 };
        QTest::newRow("angle takes the extended parts")
            << Steps { { X, 1 }, { Y, 1 + 0x1p-60L } }
            << Shown { 1, 1 + 0x1p-60L, 0xB504F333F9DE6484p-63L, 0xC90FDAA22168C23Dp-64L };
        QTest::newRow("polar form takes the extended angle")
            << Steps { { X, 1 }, { Phi, 1 + 0x1p-60L } }
            << Shown { 0x8A51407DA8345C84p-64L, 0xD76AA47848677029p-64L, 0x80000000000000DFp-63L,
                   1 + 0x1p-60L };

        // Beyond the double range the parts keep their exponent in the modulus.
        QTest::newRow("parts beyond the double range") << Steps { { X, 0x1p2000L },
            { Y, 0x1p2000L } } << Shown { 0x1p2000L, 0x1p2000L, 0xB504F333F9DE6484p1937L, Pi / 4 };
        QTest::newRow("parts below the double range")
            << Steps { { X, 0x1p-1100L } } << Shown { 0x1p-1100L, 0, 0x1p-1100L, 0 };
        // Where the squares would overflow or vanish, the modulus is still the distance.
        QTest::newRow("parts whose squares overflow")
            << Steps { { X, 0x1p16380L }, { Y, 0x1p16380L } }
            << Shown { 0x1p16380L, 0x1p16380L, 0xB504F333F9DE6484p16317L, Pi / 4 };
        QTest::newRow("parts whose squares vanish")
            << Steps { { X, 0x1p-16000L }, { Y, 0x1p-16000L } }
            << Shown { 0x1p-16000L, 0x1p-16000L, 0xB504F333F9DE6484p-16063L, Pi / 4 };
        QTest::newRow("phi just below 2^63")
            << Steps { { X, 1 }, { Phi, 0x1p63L - 1 } }
            << Shown { 0xD908A28580310B71p-64L, 0x87C40D5054D10B26p-64L, 0xFFFFFFFFFFFFFB6Ap-64L,
                   0x8F1A5C3D52D341AEp-64L };
        QTest::newRow("unknown indices are ignored") << Steps { { X, 3 }, { Y, 4 }, { -1, 7 },
            { 4, 7 }, { INT_MIN, 7 } } << Shown { 3, 4, 5, angle34 };

        // Not a number or infinite: each state is shown as it is, and the next finite entry
        // gives a usable point again. A point that is not a number counts as the origin when
        // r or phi is entered, since it has neither distance nor direction.
        const long double N = NaN;
        const long double I = Inf;
        QTest::newRow("r not a number")
            << Steps { { X, 3 }, { Y, 4 }, { R, N } } << Shown { N, N, N, N };
        QTest::newRow("r not a number, then r")
            << Steps { { X, 3 }, { Y, 4 }, { R, N }, { R, 2 } } << Shown { 2, 0, 2, 0 };
        QTest::newRow("phi not a number")
            << Steps { { X, 3 }, { Y, 4 }, { Phi, N } } << Shown { N, N, N, N };
        QTest::newRow("phi not a number, then phi")
            << Steps { { X, 3 }, { Y, 4 }, { Phi, N }, { Phi, 1 } } << Shown { 0, 0, 0, 0 };
        QTest::newRow("x not a number") << Steps { { X, N }, { Y, 4 } } << Shown { N, 4, N, N };
        QTest::newRow("x not a number, then r")
            << Steps { { X, N }, { Y, 4 }, { R, 2 } } << Shown { 2, 0, 2, 0 };
        QTest::newRow("x not a number, then x")
            << Steps { { X, N }, { Y, 4 }, { X, 3 } } << Shown { 3, 4, 5, angle34 };
        QTest::newRow("x infinite") << Steps { { X, I }, { Y, 4 } } << Shown { I, 4, I, 0 };
        QTest::newRow("x infinite, then phi")
            << Steps { { X, I }, { Y, 4 }, { Phi, 0.5L } } << Shown { I, I, I, Pi / 4 };
        QTest::newRow("r infinite on the x axis")
            << Steps { { X, 1 }, { R, I } } << Shown { I, N, N, N };
        QTest::newRow("r infinite on the x axis, then r")
            << Steps { { X, 1 }, { R, I }, { R, 2 } } << Shown { 2, 0, 2, 0 };
        QTest::newRow("phi at 2^63")
            << Steps { { X, 1 }, { Phi, 0x1p63L } } << Shown { N, N, N, N };
        QTest::newRow("phi at -2^63, then r")
            << Steps { { X, 1 }, { Phi, -0x1p63L }, { R, 3 } } << Shown { 3, 0, 3, 0 };
        QTest::newRow("phi infinite") << Steps { { X, 1 }, { Phi, -I } } << Shown { N, N, N, N };
    }

    void updates()
    {
        QFETCH(Steps, steps);
        QFETCH(Shown, expected);
        const CoordSet2D point = After(steps);
        for (int i = 0; i < CoordSet2D::ValueCount; ++i)
            VERIFY_IDENTICAL(point.Get(i), expected[static_cast<std::size_t>(i)], ShownNames[i]);
        VERIFY_IDENTICAL(point.Modulus(), expected[R], "Modulus");
        VERIFY_IDENTICAL(point.Angle(), expected[Phi], "Angle");
        VERIFY_IDENTICAL(point.GetValue().real(), expected[X], "real part");
        VERIFY_IDENTICAL(point.GetValue().imag(), expected[Y], "imaginary part");
    }

    void unknownIndexReadsAsNotANumber()
    {
        const CoordSet2D point = After({ { X, 3 }, { Y, 4 } });
        QVERIFY(std::isnan(point.Get(-1)));
        QVERIFY(std::isnan(point.Get(CoordSet2D::ValueCount)));
        QVERIFY(std::isnan(point.Get(INT_MIN)));
    }

    // Setting r keeps the direction and setting phi keeps the distance, over random points of
    // sizes from 2^-40 to 2^41. Polar form and the angle work on extended values, so the
    // direction survives to a few units of the extended last place. The modulus rounds the
    // parts to double, so the distance survives to a few units of 2^-53 only.
    void editsKeepDirectionAndDistance()
    {
        std::mt19937_64 random(20240607);
        for (int n = 0; n < 20000; ++n) {
            const long double x = RandomCoordinate(random);
            const long double y = RandomCoordinate(random);
            if (x == 0 && y == 0)
                continue;
            const CoordSet2D before = After({ { X, x }, { Y, y } });
            const long double direction = before.Angle();
            const long double distance = before.Modulus();

            const long double radius = std::fabs(RandomCoordinate(random)) + 0x1p-40L;
            CoordSet2D scaled = before;
            scaled.Set(R, radius);
            QVERIFY2(TurnBetween(direction, scaled.Angle()) <= AngleBound(direction),
                qPrintable(QStringLiteral("point %1 turned").arg(n)));
            QVERIFY2(std::fabs(scaled.Modulus() - radius) <= 2 * 0x1p-53L * radius,
                qPrintable(QStringLiteral("point %1 has the wrong distance").arg(n)));

            // A negative radius turns the point by pi.
            CoordSet2D opposite = before;
            opposite.Set(R, -radius);
            QVERIFY2(TurnBetween(direction + Pi, opposite.Angle()) <= 2 * AngleBound(direction),
                qPrintable(QStringLiteral("point %1 not turned by pi").arg(n)));

            const long double angle
                = (std::generate_canonical<long double, 64>(random) - 0.5L) * 2 * Pi;
            CoordSet2D turned = before;
            turned.Set(Phi, angle);
            QVERIFY2(std::fabs(turned.Modulus() - distance) <= 2 * 0x1p-53L * distance,
                qPrintable(QStringLiteral("point %1 moved").arg(n)));
            QVERIFY2(TurnBetween(angle, turned.Angle()) <= AngleBound(angle),
                qPrintable(QStringLiteral("point %1 has the wrong direction").arg(n)));
        }
    }

    void directionLimit_data()
    {
        QTest::addColumn<long double>("angle");
        QTest::addColumn<bool>("direction");
        QTest::newRow("2^53") << 0x1p53L << true;
        QTest::newRow("largest extended below 2^63") << 0x1p63L - 1 << true;
        QTest::newRow("2^63") << 0x1p63L << false;
        QTest::newRow("-2^63") << -0x1p63L << false;
        QTest::newRow("infinite") << Inf << false;
        QTest::newRow("not a number") << NaN << false;
    }

    void directionLimit()
    {
        QFETCH(long double, angle);
        QFETCH(bool, direction);
        const std::complex<long double> point = CoordSet2D::Polar(2, angle);
        QCOMPARE(std::isfinite(point.real()), direction);
        QCOMPARE(std::isfinite(point.imag()), direction);
    }
};

TRALTO_TEST(CoordSet2DTest);
#include "CoordSet2DTest.moc"
