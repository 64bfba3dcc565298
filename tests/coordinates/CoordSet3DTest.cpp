#include "coordinates/CoordSet3D.h"
#include "tests/TestMain.h"
#include "tests/coordinates/ExtendedValues.h"

#include <QTest>

#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

// Expected values written as hexadecimal literals come from
// tests/coordinates/reference_values.py, which models every rounding step with exact arithmetic.

using namespace tralto;

namespace {

using Triple = std::array<long double, 3>;
using Nine = std::array<long double, 9>;

constexpr long double DoubleEpsilon = 0x1p-53L;

constexpr const char* ValueNames[CoordSet3D::ValueCount] = { "x", "y", "z", "spherical r", "theta",
    "spherical phi", "cylindrical r", "cylindrical phi", "cylindrical z" };

// What the window does after the user typed into one field of a triple.
CoordSet3D Entered(ThetaConvention convention, int first, const Triple& values)
{
    CoordSet3D set;
    set.SetThetaConvention(convention);
    for (int i = 0; i < 3; ++i)
        set.Set(first + i, values[static_cast<std::size_t>(i)]);
    set.Convert(first);
    return set;
}

void VerifyNine(const CoordSet3D& set, const Nine& expected)
{
    for (int i = 0; i < CoordSet3D::ValueCount; ++i)
        VERIFY_IDENTICAL(set.Get(i), expected[static_cast<std::size_t>(i)], ValueNames[i]);
}

// The Cartesian point a triple describes, by the textbook formulas, for comparisons that
// need no exactness.
Triple PointOf(const CoordSet3D& set, int first, ThetaConvention convention)
{
    const long double a = set.Get(first);
    const long double b = set.Get(first + 1);
    const long double c = set.Get(first + 2);
    if (first == CoordSet3D::Kar_x)
        return { a, b, c };
    if (first == CoordSet3D::Zyl_r)
        return { a * std::cos(b), a * std::sin(b), c };
    const long double planar = a * (convention == ThetaToZAxis ? std::sin(b) : std::cos(b));
    const long double height = a * (convention == ThetaToZAxis ? std::cos(b) : std::sin(b));
    return { planar * std::cos(c), planar * std::sin(c), height };
}

} // namespace

Q_DECLARE_METATYPE(ThetaConvention)

// A table of triples entered in one system and the nine values they give.
static void AddEnteredColumns()
{
    QTest::addColumn<ThetaConvention>("convention");
    QTest::addColumn<int>("first");
    QTest::addColumn<Triple>("entered");
    QTest::addColumn<Nine>("expected");
}

class CoordSet3DTest : public QObject
{
    Q_OBJECT

private slots:
    void constantsHaveTheirBits_data()
    {
        QTest::addColumn<long double>("value");
        QTest::addColumn<uint>("signAndExponent");
        QTest::addColumn<quint64>("significand");
        QTest::newRow("pi/180") << RadiansPerDegree << 0x3FF9u << 0x8EFA351294E9C8AEull;
        QTest::newRow("180/pi") << DegreesPerRadian << 0x4004u << 0xE52EE0D31E0FBDC3ull;
        QTest::newRow("axis angle") << AxisAngle << 0x3FFFu << 0xC90FDAA22168C000ull;
    }

    void constantsHaveTheirBits()
    {
        QFETCH(long double, value);
        QFETCH(uint, signAndExponent);
        QFETCH(quint64, significand);
        const ExtendedBits bits = BitsOf(value);
        QCOMPARE(bits.signAndExponent, signAndExponent);
        QCOMPARE(bits.significand, significand);
    }

    void axisAngleIsTheDoubleNearestHalfPi()
    {
        const double asDouble = static_cast<double>(AxisAngle);
        quint64 doubleBits = 0;
        std::memcpy(&doubleBits, &asDouble, sizeof doubleBits);
        QCOMPARE(doubleBits, 0x3FF921FB54442D18ull);
        QVERIFY(static_cast<long double>(asDouble) == AxisAngle);
        QVERIFY(AxisAngle < HalfPi);
    }

    void angleUnits_data()
    {
        QTest::addColumn<bool>("toRadians");
        QTest::addColumn<long double>("angle");
        QTest::addColumn<long double>("expected");
        QTest::newRow("90 degrees") << true << 90.0L << HalfPi;
        QTest::newRow("180 degrees") << true << 180.0L << Pi;
        QTest::newRow("-45 degrees") << true << -45.0L << -Pi / 4;
        QTest::newRow("720 degrees, not reduced") << true << 720.0L << 4 * Pi;
        QTest::newRow("pi radians") << false << Pi << 180.0L;
        QTest::newRow("axis angle") << false << AxisAngle << 0xB3FFFFFFFFFFFE06p-57L;
        QTest::newRow("1 radian") << false << 1.0L << DegreesPerRadian;
        QTest::newRow("-7 radians, not reduced") << false << -7.0L << -7 * DegreesPerRadian;
    }

    void angleUnits()
    {
        QFETCH(bool, toRadians);
        QFETCH(long double, angle);
        QFETCH(long double, expected);
        VERIFY_IDENTICAL(toRadians ? DegToRad(angle) : RadToDeg(angle), expected, "converted");
    }

    void transforms_data()
    {
        AddEnteredColumns();

        const ThetaConvention Z = ThetaToZAxis;
        const ThetaConvention XY = ThetaToXYPlane;
        const long double A = AxisAngle;
        const int cartesian = CoordSet3D::Kar_x;
        const int spherical = CoordSet3D::Kug_r;
        const int cylindrical = CoordSet3D::Zyl_r;

        QTest::newRow("origin, from z")
            << Z << cartesian << Triple { 0, 0, 0 } << Nine { 0, 0, 0, 0, 0, A, 0, A, 0 };
        QTest::newRow("origin, from xy")
            << XY << cartesian << Triple { 0, 0, 0 } << Nine { 0, 0, 0, 0, 0, A, 0, A, 0 };
        QTest::newRow("z axis, from z")
            << Z << cartesian << Triple { 0, 0, 5 } << Nine { 0, 0, 5, 5, 0, A, 0, A, 5 };
        QTest::newRow("z axis, from xy")
            << XY << cartesian << Triple { 0, 0, 5 } << Nine { 0, 0, 5, 5, HalfPi, A, 0, A, 5 };
        QTest::newRow("negative y axis, from z")
            << Z << cartesian << Triple { 0, -2, 0 } << Nine { 0, -2, 0, 2, HalfPi, -A, 2, -A, 0 };
        QTest::newRow("negative y axis, from xy")
            << XY << cartesian << Triple { 0, -2, 0 } << Nine { 0, -2, 0, 2, 0, -A, 2, -A, 0 };
        QTest::newRow("positive y axis, from z")
            << Z << cartesian << Triple { 0, 2, 0 } << Nine { 0, 2, 0, 2, HalfPi, A, 2, A, 0 };
        QTest::newRow("negative x axis, from z")
            << Z << cartesian << Triple { -1, 0, 0 } << Nine { -1, 0, 0, 1, HalfPi, Pi, 1, Pi, 0 };
        QTest::newRow("negative x axis, from xy")
            << XY << cartesian << Triple { -1, 0, 0 } << Nine { -1, 0, 0, 1, 0, Pi, 1, Pi, 0 };

        // z = sqrt 3 is rounded to double before atan2, so theta is not the extended pi/6 or
        // pi/3 but the angle of that double.
        const long double root3 = std::sqrt(3.0L);
        QTest::newRow("thirty degrees from z")
            << Z << cartesian << Triple { 1, 0, root3 }
            << Nine { 1, 0, root3, 2, 0x860A91C16B9B2DF2p-64L, 0, 1, 0, root3 };
        QTest::newRow("sixty degrees from xy")
            << XY << cartesian << Triple { 1, 0, root3 }
            << Nine { 1, 0, root3, 2, 0x860A91C16B9B2B3Cp-63L, 0, 1, 0, root3 };

        // A negative radius is kept; the zeros it produces are negative.
        QTest::newRow("spherical negative radius, from z")
            << Z << spherical << Triple { -1, 0, 0 }
            << Nine { -0.0L, -0.0L, -1, -1, 0, 0, 0, A, -1 };
        QTest::newRow("spherical negative radius, from xy")
            << XY << spherical << Triple { -1, 0, 0 }
            << Nine { -1, -0.0L, -0.0L, -1, 0, 0, 1, -Pi, -0.0L };
        const long double root5 = 0x8F1BBCDCBFA53E0Bp-62L;
        QTest::newRow("cylindrical negative radius, from z")
            << Z << cylindrical << Triple { -2, 0, 1 }
            << Nine { -2, -0.0L, 1, root5, 0x8DB70C975DF22363p-63L, -Pi, -2, 0, 1 };
        QTest::newRow("cylindrical negative radius, from xy")
            << XY << cylindrical << Triple { -2, 0, 1 }
            << Nine { -2, -0.0L, 1, root5, 0xED63382B0DDA7B45p-65L, -Pi, -2, 0, 1 };

        // An azimuth beyond 2 pi stays in its own triple; the others get atan2's range.
        const long double reduced = 0xB7812AEEF4B9EE85p-64L;
        QTest::newRow("cylindrical azimuth 7, from z")
            << Z << cylindrical << Triple { 1, 7, 0 }
            << Nine { 0xC0FFBCF6C900BAB0p-64L, 0xA83046136850421Ep-64L, 0, 1, HalfPi, reduced, 1, 7,
                   0 };
        QTest::newRow("cylindrical azimuth 7, from xy")
            << XY << cylindrical << Triple { 1, 7, 0 }
            << Nine { 0xC0FFBCF6C900BAB0p-64L, 0xA83046136850421Ep-64L, 0, 1, 0, reduced, 1, 7, 0 };
        QTest::newRow("spherical azimuth 7, from z")
            << Z << spherical << Triple { 2, 1, 7 }
            << Nine { 0xA2672D9604836C1Dp-63L, 0x8D869AE543BB697Bp-63L, 0x8A51407DA8345C92p-63L, 2,
                   1, 7, 0xD76AA47848676F5Ep-63L, 0xB7812AEEF4B9E9FDp-64L,
                   0x8A51407DA8345C92p-63L };
        QTest::newRow("spherical azimuth 7, from xy")
            << XY << spherical << Triple { 2, 1, 7 }
            << Nine { 0xD08E3ACCFAB884B9p-64L, 0xB5BECED683F0D667p-64L, 0xD76AA47848677021p-63L, 2,
                   1, 7, 0x8A51407DA8345DC2p-63L, 0xB7812AEEF4B9ED79p-64L,
                   0xD76AA47848677021p-63L };

        // 1 + 2^-60 is rounded to the double 1 before the root: the radius is exactly 1.
        const long double azimuth = 0xFFFFFFFFFFFFFFFBp-94L;
        QTest::newRow("sum of squares rounded to double, from z")
            << Z << cartesian << Triple { 1, 0x1p-30L, 0 }
            << Nine { 1, 0x1p-30L, 0, 1, HalfPi, azimuth, 1, azimuth, 0 };
        QTest::newRow("sum of squares rounded to double, from xy")
            << XY << cartesian << Triple { 1, 0x1p-30L, 0 }
            << Nine { 1, 0x1p-30L, 0, 1, 0, azimuth, 1, azimuth, 0 };
        // The extended pi/2 becomes the double pi/2 before its cosine: 6.1e-17, not -2.5e-20.
        const long double cosineOfAxis = 0x8D313198A2E03707p-117L;
        QTest::newRow("theta rounded to double, from z")
            << Z << spherical << Triple { 1, HalfPi, 0 }
            << Nine { 1, 0, cosineOfAxis, 1, HalfPi, 0, 1, 0, cosineOfAxis };
        QTest::newRow("theta rounded to double, from xy")
            << XY << spherical << Triple { 1, HalfPi, 0 }
            << Nine { cosineOfAxis, 0, 1, 1, HalfPi, 0, 0x8D313198A2E03734p-117L, 0, 1 };
        QTest::newRow("azimuth rounded to double, from z")
            << Z << cylindrical << Triple { 1, Pi, 0 }
            << Nine { -1, 2 * cosineOfAxis, 0, 1, HalfPi, 2 * A, 1, Pi, 0 };

        // Decimal entries, which arrive as doubles: the products and sums are rounded in the
        // order written (x*x + y*y + z*z; (sin theta * r) * cos phi).
        const long double r = 0x83D2AA5437AD80AEp-61L;
        const long double phi = 0xC2AAD13C3CC0F87Ep-63L;
        const long double planar = 0x8028EF36EEA9F578p-62L;
        QTest::newRow("decimal point, from z")
            << Z << cartesian << Triple { 0.1, 2, 3.6 }
            << Nine { 0.1, 2, 3.6, r, 0x81F3F3F7607FF864p-64L, phi, planar, phi, 3.6 };
        QTest::newRow("decimal point, from xy")
            << XY << cartesian << Triple { 0.1, 2, 3.6 }
            << Nine { 0.1, 2, 3.6, r, 0x8815E0A67128C603p-63L, phi, planar, phi, 3.6 };
        QTest::newRow("decimal radius, from z")
            << Z << spherical << Triple { 0.1, 1, 0.5 }
            << Nine { 0x973C95DDD301A4FFp-67L, 0xA53DEF1C118D7A50p-68L, 0xDD4ECD95D9ED645Fp-68L,
                   0.1, 1, 0.5, 0xAC55506039EC5CC7p-67L, 0xFFFFFFFFFFFFF8B5p-65L,
                   0xDD4ECD95D9ED645Fp-68L };
        QTest::newRow("decimal radius, from xy")
            << XY << spherical << Triple { 0.1, 1, 0.5 }
            << Nine { 0xC237446881835331p-68L, 0xD43384D9F220F56Ep-69L, 0xAC55506039EC5C65p-67L,
                   0.1, 1, 0.5, 0xDD4ECD95D9ED62CFp-68L, 0x8000000000000313p-64L,
                   0xAC55506039EC5C65p-67L };

        // Beyond the double range the sum keeps its exponent, so the radius neither overflows
        // nor vanishes.
        QTest::newRow("huge point, from z")
            << Z << cartesian << Triple { 1e200, 0, 1e200 }
            << Nine { 1e200, 0, 1e200, 0xEC7CC0899ADAB741p601L, 0xC90FDAA22168C235p-64L, 0,
                   0xA738C6BEBB12D0B3p601L, 0, 1e200 };
        QTest::newRow("huge point, from xy")
            << XY << cartesian << Triple { 1e200, 0, 1e200 }
            << Nine { 1e200, 0, 1e200, 0xEC7CC0899ADAB741p601L, 0xC90FDAA22168C235p-64L, 0,
                   0xA738C6BEBB12D0B3p601L, 0, 1e200 };
        QTest::newRow("tiny point, from z")
            << Z << cartesian << Triple { 1e-200, 0, 1e-200 }
            << Nine { 1e-200, 0, 1e-200, 0x8A8FB443B7A08083p-727L, 0xC90FDAA22168C235p-64L, 0,
                   0xC3F490AA77BD5F0Bp-728L, 0, 1e-200 };
        QTest::newRow("tiny point, from xy")
            << XY << cartesian << Triple { 1e-200, 0, 1e-200 }
            << Nine { 1e-200, 0, 1e-200, 0x8A8FB443B7A08083p-727L, 0xC90FDAA22168C235p-64L, 0,
                   0xC3F490AA77BD5F0Bp-728L, 0, 1e-200 };
    }

    void transforms()
    {
        QFETCH(ThetaConvention, convention);
        QFETCH(int, first);
        QFETCH(Triple, entered);
        QFETCH(Nine, expected);
        VerifyNine(Entered(convention, first, entered), expected);
    }

    // Where a sum of squares would overflow or fall below the normal extended numbers: the
    // radii stay finite and nonzero, and theta is right.
    void endsOfTheRange_data()
    {
        AddEnteredColumns();
        const ThetaConvention Z = ThetaToZAxis;
        const ThetaConvention XY = ThetaToXYPlane;
        const int cartesian = CoordSet3D::Kar_x;
        const long double quarter = 0xC90FDAA22168C235p-64L;

        const long double large = 9e2465L;
        const long double r = 0xB6EE7A6AAD06D459p8129L;
        const long double planar = 0x955CECE2228B6FF7p8129L;
        QTest::newRow("9e2465, from z") << Z << cartesian << Triple { large, large, large }
                                        << Nine { large, large, large, r, 0xF48FA1402B8AE663p-64L,
                                               quarter, planar, quarter, large };
        QTest::newRow("9e2465, from xy") << XY << cartesian << Triple { large, large, large }
                                         << Nine { large, large, large, r, 0x9D90140417469E06p-64L,
                                                quarter, planar, quarter, large };

        const long double largest = 6e4931L;
        const long double r2 = 0xDF9DB28156AF232Ep16320L;
        const long double planar2 = 0xB694EA85FB11F90Bp16320L;
        QTest::newRow("6e4931, from z")
            << Z << cartesian << Triple { largest, largest, largest }
            << Nine { largest, largest, largest, r2, 0xF48FA1402B8AE9E9p-64L, quarter, planar2,
                   quarter, largest };
        QTest::newRow("6e4931, from xy")
            << XY << cartesian << Triple { largest, largest, largest }
            << Nine { largest, largest, largest, r2, 0x9D90140417469A81p-64L, quarter, planar2,
                   quarter, largest };
        const long double x2 = 0xE299A4F4DEC67735p16319L;
        const long double y2 = 0xF795A05524E5CFD3p16318L;
        const long double phi2 = 0xFFFFFFFFFFFFFF66p-65L;
        QTest::newRow("cylindrical 6e4931, from z")
            << Z << int(CoordSet3D::Zyl_r) << Triple { largest, 0.5, -largest }
            << Nine { x2, y2, -largest, planar2, 0x96CBE3F9990E8FACp-62L, phi2, largest, 0.5,
                   -largest };
        QTest::newRow("cylindrical 6e4931, from xy")
            << XY << int(CoordSet3D::Zyl_r) << Triple { largest, 0.5, -largest }
            << Nine { x2, y2, -largest, planar2, -0xC90FDAA22168BA46p-64L, phi2, largest, 0.5,
                   -largest };

        const long double tiny = 1e-2476L;
        const long double r3 = 0xCFB921683D36A8ACp-8288L;
        const long double planar3 = 0xA99AF1FADE42D68Cp-8288L;
        QTest::newRow("1e-2476, from z") << Z << cartesian << Triple { tiny, tiny, tiny }
                                         << Nine { tiny, tiny, tiny, r3, 0xF48FA1402B8AE89Fp-64L,
                                                quarter, planar3, quarter, tiny };
        QTest::newRow("1e-2476, from xy") << XY << cartesian << Triple { tiny, tiny, tiny }
                                          << Nine { tiny, tiny, tiny, r3, 0x9D90140417469BCBp-64L,
                                                 quarter, planar3, quarter, tiny };

        // The smallest extended value, a denormal, beside a normal height.
        const long double denormal = 0x1p-16445L;
        const long double height = 0x1p-16300L;
        QTest::newRow("denormal x, from z")
            << Z << cartesian << Triple { denormal, 0, height }
            << Nine { denormal, 0, height, height, 0x1p-145L, 0, denormal, 0, height };
        QTest::newRow("denormal x, from xy")
            << XY << cartesian << Triple { denormal, 0, height }
            << Nine { denormal, 0, height, height, HalfPi, 0, denormal, 0, height };

        // A coordinate whose square is lost beside the others' is lost with or without scaling.
        const long double far = 1e4000L;
        const long double tilt = 0x9C3D73864F38030Ep-13351L;
        const long double r4 = 0xD1BA8323FE558D10p13224L;
        QTest::newRow("1e4000 beside 1, from z")
            << Z << cartesian << Triple { far, 1, -1 }
            << Nine { far, 1, -1, r4, HalfPi, tilt, r4, tilt, -1 };
        QTest::newRow("1e4000 beside 1, from xy")
            << XY << cartesian << Triple { far, 1, -1 }
            << Nine { far, 1, -1, r4, -tilt, tilt, r4, tilt, -1 };
    }

    void endsOfTheRange() { transforms(); }

    void thetaNearTheAxis_data()
    {
        QTest::addColumn<ThetaConvention>("convention");
        QTest::addColumn<long double>("distance");
        QTest::addColumn<long double>("height");
        double distance = 1;
        for (int exponent = 1; exponent <= 15; ++exponent) {
            distance /= 10;
            for (const long double height : { 1.0L, -1.0L }) {
                QTest::addRow("1e-%d, z %+g, from z", exponent, double(height))
                    << ThetaToZAxis << static_cast<long double>(distance) << height;
                QTest::addRow("1e-%d, z %+g, from xy", exponent, double(height))
                    << ThetaToXYPlane << static_cast<long double>(distance) << height;
            }
        }
    }

    // Close to the z axis theta keeps double precision: the cylindrical radius and z are
    // rounded to double on the way, so two units of 2^-53 relative to theta.
    void thetaNearTheAxis()
    {
        QFETCH(ThetaConvention, convention);
        QFETCH(long double, distance);
        QFETCH(long double, height);
        const CoordSet3D set = Entered(convention, CoordSet3D::Kar_x, { distance, 0, height });
        const long double exact = convention == ThetaToZAxis ? std::atan2(distance, height)
                                                             : std::atan2(height, distance);
        const long double theta = set.Get(CoordSet3D::Kug_theta);
        QVERIFY2(std::fabs(theta - exact) <= 2 * DoubleEpsilon * std::fabs(exact),
            ExtendedText(theta) + " instead of " + ExtendedText(exact));
    }

    void azimuthRule_data()
    {
        QTest::addColumn<long double>("x");
        QTest::addColumn<long double>("y");
        QTest::addColumn<long double>("expected");
        const long double A = AxisAngle;
        QTest::newRow("origin") << 0.0L << 0.0L << A;
        QTest::newRow("negative zero y on the axis") << 0.0L << -0.0L << A;
        QTest::newRow("negative zero x") << -0.0L << 1.0L << A;
        QTest::newRow("positive y axis") << 0.0L << 2.0L << A;
        QTest::newRow("negative y axis") << 0.0L << -2.0L << -A;
        QTest::newRow("tiny negative y") << 0.0L << -1e-300L << -A;
        QTest::newRow("positive x axis") << 1.0L << 0.0L << 0.0L;
        QTest::newRow("positive x axis, negative zero y") << 1.0L << -0.0L << -0.0L;
        QTest::newRow("negative x axis") << -1.0L << 0.0L << Pi;
        QTest::newRow("negative x axis, negative zero y") << -1.0L << -0.0L << -Pi;
        QTest::newRow("diagonal") << 1.0L << 1.0L << Pi / 4;
        QTest::newRow("y rounded to double") << 1.0L << 1 + 0x1p-60L << Pi / 4;
        QTest::newRow("x not a number") << NaN << 0.0L << NaN;
        QTest::newRow("y not a number on the axis") << 0.0L << NaN << NaN;
        QTest::newRow("infinite y on the axis") << 0.0L << Inf << A;
        QTest::newRow("negative infinite y on the axis") << 0.0L << -Inf << -A;
        QTest::newRow("infinite x") << Inf << 1.0L << 0.0L;
        QTest::newRow("negative infinite x") << -Inf << 1.0L << Pi;
        QTest::newRow("both infinite") << Inf << Inf << Pi / 4;
    }

    void azimuthRule()
    {
        QFETCH(long double, x);
        QFETCH(long double, y);
        QFETCH(long double, expected);
        VERIFY_IDENTICAL(Azimuth(x, y), expected, "azimuth");
        const CoordSet3D set = Entered(ThetaToZAxis, CoordSet3D::Kar_x, { x, y, 0 });
        VERIFY_IDENTICAL(set.Get(CoordSet3D::Kug_phi), expected, "spherical phi");
        VERIFY_IDENTICAL(set.Get(CoordSet3D::Zyl_phi), expected, "cylindrical phi");
    }

    void convertRecomputesFromTheEnteredTriple_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("kept"); // first index of the triple left as entered; -1: all
        QTest::addColumn<ThetaConvention>("convention");
        for (int source = 0; source < CoordSet3D::ValueCount; ++source) {
            for (const ThetaConvention convention : { ThetaToZAxis, ThetaToXYPlane }) {
                QTest::addRow("source %d, %s", source, convention == ThetaToZAxis ? "z" : "xy")
                    << source << source - source % 3 << convention;
            }
        }
        QTest::newRow("convention changed")
            << CoordSet3D::ThetaConventionChanged << 0 << ThetaToXYPlane;
        QTest::newRow("redisplay code") << -1 << -1 << ThetaToZAxis;
        QTest::newRow("past the last index") << 9 << -1 << ThetaToZAxis;
        QTest::newRow("below -2") << -3 << -1 << ThetaToZAxis;
        QTest::newRow("smallest int") << INT_MIN << -1 << ThetaToZAxis;
        QTest::newRow("largest int") << INT_MAX << -1 << ThetaToZAxis;
    }

    void convertRecomputesFromTheEnteredTriple()
    {
        QFETCH(int, source);
        QFETCH(int, kept);
        QFETCH(ThetaConvention, convention);
        // Three triples that describe three different points.
        const Nine before { 1, 2, 3, 4, 0.5, 0.25, 6, 0.75, 8 };
        CoordSet3D set;
        set.SetThetaConvention(convention);
        for (int i = 0; i < CoordSet3D::ValueCount; ++i)
            set.Set(i, before[static_cast<std::size_t>(i)]);
        set.Convert(source);

        for (int i = 0; i < CoordSet3D::ValueCount; ++i) {
            if (kept == -1 || i - i % 3 == kept)
                VERIFY_IDENTICAL(set.Get(i), before[static_cast<std::size_t>(i)], ValueNames[i]);
        }
        if (kept == -1)
            return;
        // The recomputed triples describe the entered point. The transforms round their
        // arguments to double, so agreement is to double precision, not to the last bit.
        const Triple point = PointOf(set, kept, convention);
        const long double size = std::hypot(point[0], point[1], point[2]);
        for (const int first : { CoordSet3D::Kar_x, CoordSet3D::Kug_r, CoordSet3D::Zyl_r }) {
            const Triple other = PointOf(set, first, convention);
            for (std::size_t k = 0; k < 3; ++k)
                QVERIFY2(std::fabs(other[k] - point[k]) <= 8 * DoubleEpsilon * size,
                    ValueNames[static_cast<std::size_t>(first) + k]);
        }
    }

    void conventionChangeRecomputesFromCartesian()
    {
        const long double root3 = std::sqrt(3.0L);
        CoordSet3D set = Entered(ThetaToZAxis, CoordSet3D::Kar_x, { 1, 0, root3 });
        VERIFY_IDENTICAL(set.Get(CoordSet3D::Kug_theta), 0x860A91C16B9B2DF2p-64L, "theta");

        set.SetThetaConvention(ThetaToXYPlane);
        QCOMPARE(set.GetThetaConvention(), ThetaToXYPlane);
        // Recording the choice alone recomputes nothing.
        VERIFY_IDENTICAL(set.Get(CoordSet3D::Kug_theta), 0x860A91C16B9B2DF2p-64L, "theta");
        set.Convert(CoordSet3D::ThetaConventionChanged);
        VerifyNine(set, { 1, 0, root3, 2, 0x860A91C16B9B2B3Cp-63L, 0, 1, 0, root3 });
    }

    void conventionChangeReplacesAnEnteredSphericalTriple()
    {
        CoordSet3D set = Entered(ThetaToZAxis, CoordSet3D::Kug_r, { -1, 0, 0 });
        set.SetThetaConvention(ThetaToXYPlane);
        set.Convert(CoordSet3D::ThetaConventionChanged);
        VerifyNine(set, { -0.0L, -0.0L, -1, 1, -HalfPi, AxisAngle, 0, AxisAngle, -1 });
    }

    void unknownIndicesAreIgnored()
    {
        CoordSet3D set = Entered(ThetaToZAxis, CoordSet3D::Kar_x, { 1, 2, 3 });
        const CoordSet3D before = set;
        set.Set(-1, 5);
        set.Set(CoordSet3D::ValueCount, 5);
        set.Set(INT_MIN, 5);
        for (int i = 0; i < CoordSet3D::ValueCount; ++i)
            VERIFY_IDENTICAL(set.Get(i), before.Get(i), ValueNames[i]);
        QVERIFY(std::isnan(set.Get(-1)));
        QVERIFY(std::isnan(set.Get(CoordSet3D::ValueCount)));
        QVERIFY(std::isnan(set.Get(INT_MAX)));
    }

    void outsideTheWorkingRange_data()
    {
        QTest::addColumn<ThetaConvention>("convention");
        QTest::addColumn<int>("index"); // the value that is not finite
        QTest::addColumn<Triple>("entered");
        QTest::addColumn<Nine>("expected");
        const ThetaConvention Z = ThetaToZAxis;
        const ThetaConvention XY = ThetaToXYPlane;
        const long double A = AxisAngle;
        const long double N = NaN;
        const long double I = Inf;

        QTest::newRow("x not a number")
            << Z << 0 << Triple { N, 1, 1 } << Nine { N, 1, 1, N, N, N, N, N, 1 };
        QTest::newRow("z not a number")
            << Z << 2 << Triple { 1, 0, N } << Nine { 1, 0, N, N, N, 0, 1, 0, N };
        QTest::newRow("x infinite, from z")
            << Z << 0 << Triple { I, 0, 0 } << Nine { I, 0, 0, I, HalfPi, 0, I, 0, 0 };
        QTest::newRow("x infinite, from xy")
            << XY << 0 << Triple { I, 0, 0 } << Nine { I, 0, 0, I, 0, 0, I, 0, 0 };
        QTest::newRow("y infinite on the axis")
            << Z << 1 << Triple { 0, -I, 0 } << Nine { 0, -I, 0, I, HalfPi, -A, I, -A, 0 };
        QTest::newRow("z infinite")
            << Z << 2 << Triple { 0, 0, -I } << Nine { 0, 0, -I, I, Pi, A, 0, A, -I };
        QTest::newRow("spherical r not a number")
            << Z << 3 << Triple { N, 0, 0 } << Nine { N, N, N, N, 0, 0, N, N, N };
        QTest::newRow("spherical r infinite, from z")
            << Z << 3 << Triple { I, 0, 0 } << Nine { N, N, I, I, 0, 0, N, N, I };
        QTest::newRow("spherical r infinite, from xy")
            << XY << 3 << Triple { I, 0, 0 } << Nine { I, N, N, I, 0, 0, N, N, N };
        QTest::newRow("theta infinite")
            << Z << 4 << Triple { 1, I, 0 } << Nine { N, N, N, 1, I, 0, N, N, N };
        QTest::newRow("theta at 2^53")
            << XY << 4 << Triple { 1, 0x1p53L, 0 } << Nine { N, N, N, 1, 0x1p53L, 0, N, N, N };
        QTest::newRow("spherical phi not a number")
            << Z << 5 << Triple { 1, 0, N } << Nine { N, N, 1, 1, 0, N, N, N, 1 };
        QTest::newRow("cylindrical r not a number")
            << Z << 6 << Triple { N, 0, 2 } << Nine { N, N, 2, N, N, N, N, 0, 2 };
        QTest::newRow("cylindrical r infinite")
            << Z << 6 << Triple { I, 0, 0 } << Nine { I, N, 0, N, N, N, I, 0, 0 };
        QTest::newRow("cylindrical phi infinite")
            << Z << 7 << Triple { 1, -I, 0 } << Nine { N, N, 0, N, N, N, 1, -I, 0 };
        QTest::newRow("cylindrical phi at -2^53")
            << Z << 7 << Triple { 1, -0x1p53L, 0 } << Nine { N, N, 0, N, N, N, 1, -0x1p53L, 0 };
        QTest::newRow("cylindrical z infinite")
            << Z << 8 << Triple { 1, 0, I } << Nine { 1, 0, I, I, 0, 0, 1, 0, I };
    }

    void outsideTheWorkingRange()
    {
        QFETCH(ThetaConvention, convention);
        QFETCH(int, index);
        QFETCH(Triple, entered);
        QFETCH(Nine, expected);
        const int first = index - index % 3;
        CoordSet3D set = Entered(convention, first, entered);
        VerifyNine(set, expected);
        if (QTest::currentTestFailed())
            return;

        // The user types a finite value into the same field: the set is whole again.
        set.Set(index, 0.5L);
        set.Convert(index);
        Triple corrected = entered;
        corrected[static_cast<std::size_t>(index - first)] = 0.5L;
        const CoordSet3D fresh = Entered(convention, first, corrected);
        for (int i = 0; i < CoordSet3D::ValueCount; ++i) {
            QVERIFY2(std::isfinite(set.Get(i)), ValueNames[i]);
            VERIFY_IDENTICAL(set.Get(i), fresh.Get(i), ValueNames[i]);
        }
    }

    void directionLimit_data()
    {
        QTest::addColumn<long double>("azimuth");
        QTest::addColumn<bool>("direction");
        QTest::newRow("largest double below 2^53") << 0x1p53L - 1 << true;
        QTest::newRow("rounds down to a double below 2^53") << 0x1p53L - 0.75L << true;
        QTest::newRow("rounds up to 2^53") << 0x1p53L - 0.25L << false;
        QTest::newRow("2^53") << 0x1p53L << false;
        QTest::newRow("-2^53") << -0x1p53L << false;
        QTest::newRow("2^60") << 0x1p60L << false;
    }

    void directionLimit()
    {
        QFETCH(long double, azimuth);
        QFETCH(bool, direction);
        const CoordSet3D set = Entered(ThetaToZAxis, CoordSet3D::Zyl_r, { 1, azimuth, 0 });
        QCOMPARE(std::isfinite(set.Get(CoordSet3D::Kar_x)), direction);
        QCOMPARE(std::isfinite(set.Get(CoordSet3D::Kar_y)), direction);
        QCOMPARE(std::isfinite(set.Get(CoordSet3D::Kug_r)), direction);
        if (direction) {
            QVERIFY(
                std::fabs(std::hypot(set.Get(CoordSet3D::Kar_x), set.Get(CoordSet3D::Kar_y)) - 1)
                <= 4 * DoubleEpsilon);
        }
    }

    void roundTrip_data()
    {
        QTest::addColumn<ThetaConvention>("convention");
        QTest::addColumn<int>("through");
        QTest::newRow("spherical, from z") << ThetaToZAxis << int(CoordSet3D::Kug_r);
        QTest::newRow("spherical, from xy") << ThetaToXYPlane << int(CoordSet3D::Kug_r);
        QTest::newRow("cylindrical, from z") << ThetaToZAxis << int(CoordSet3D::Zyl_r);
        QTest::newRow("cylindrical, from xy") << ThetaToXYPlane << int(CoordSet3D::Zyl_r);
    }

    // Cartesian -> spherical or cylindrical -> Cartesian over random points of sizes from
    // 2^-40 to 2^41. The radius sums, z and every angle are rounded to double on
    // the way, so the round trip is as exact as double precision, not extended: a few units of
    // 2^-53 relative to the point's size, near the z axis too.
    void roundTrip()
    {
        QFETCH(ThetaConvention, convention);
        QFETCH(int, through);
        std::mt19937_64 random(20240607);
        for (int n = 0; n < 20000; ++n) {
            const Triple point { RandomCoordinate(random), RandomCoordinate(random),
                RandomCoordinate(random) };
            const CoordSet3D forward = Entered(convention, CoordSet3D::Kar_x, point);
            const CoordSet3D back = Entered(convention, through,
                { forward.Get(through), forward.Get(through + 1), forward.Get(through + 2) });

            const long double size = std::hypot(point[0], point[1], point[2]);
            for (std::size_t k = 0; k < 3; ++k) {
                const long double error = std::fabs(back.Get(static_cast<int>(k)) - point[k]);
                const long double units = size > 0 ? error / (DoubleEpsilon * size) : 0;
                QVERIFY2(units <= 4,
                    qPrintable(QStringLiteral("point %1: %2 is off by %3 units")
                                   .arg(n)
                                   .arg(ValueNames[k])
                                   .arg(static_cast<double>(units))));
            }
            if (through == CoordSet3D::Zyl_r)
                VERIFY_IDENTICAL(back.Get(CoordSet3D::Kar_z), point[2], "height");
        }
    }
};

TRALTO_TEST(CoordSet3DTest);
#include "CoordSet3DTest.moc"
