#include "coordinates/CoordSet3D.h"

#include "expression/Numeric.h"

#include <cmath>
#include <limits>

// The constants below are written as significand times a power of two, which states their bits
// exactly; the rounding rules assume the x87 extended format.
static_assert(std::numeric_limits<long double>::digits == 64
        && std::numeric_limits<long double>::max_exponent == 16384,
    "the coordinate transforms need the 80-bit extended format");

namespace tralto {

// Exponent 0x3FF9, significand 0x8EFA351294E9C8AE: 0.017453292519943295769.
const long double RadiansPerDegree = 0x8EFA351294E9C8AEp-69L;
// Exponent 0x4004, significand 0xE52EE0D31E0FBDC3: 57.295779513082320877.
const long double DegreesPerRadian = 0xE52EE0D31E0FBDC3p-58L;
// Half the double nearest pi: the double 0x3FF921FB54442D18, 1.5707963267948966; as an
// extended value its significand ends in 0xC000 where the extended pi/2 ends in 0xC235.
const long double AxisAngle = Numeric::Pi / 2;

using Numeric::CosineAtDoublePrecision;
using Numeric::NotANumber;
using Numeric::RoundToDoublePrecision;
using Numeric::SineAtDoublePrecision;

namespace {

// The sum of squares is rounded to double before the root is taken.
constexpr auto RootOfRoundedSum
    = [](long double sumOfSquares) { return std::sqrt(RoundToDoublePrecision(sumOfSquares)); };

inline long double SphericalRadius(long double x, long double y, long double z)
{
    return Numeric::RootOfSumOfSquares(RootOfRoundedSum, x, y, z);
}

inline long double CylindricalRadius(long double x, long double y)
{
    return Numeric::RootOfSumOfSquares(RootOfRoundedSum, x, y);
}

} // namespace

long double DegToRad(long double degrees)
{
    return degrees * RadiansPerDegree;
}

long double RadToDeg(long double radians)
{
    return radians * DegreesPerRadian;
}

long double Azimuth(long double x, long double y)
{
    if (std::isnan(x) || std::isnan(y))
        return NotANumber;
    if (x == 0)
        return y >= 0 ? AxisAngle : -AxisAngle;
    return std::atan2(RoundToDoublePrecision(y), RoundToDoublePrecision(x));
}

long double CoordSet3D::Get(int index) const
{
    if (index < 0 || index >= ValueCount)
        return NotANumber;
    return Values[static_cast<std::size_t>(index)];
}

void CoordSet3D::Set(int index, long double value)
{
    if (index < 0 || index >= ValueCount)
        return;
    Values[static_cast<std::size_t>(index)] = value;
}

void CoordSet3D::SetThetaConvention(ThetaConvention convention)
{
    Convention = convention == ThetaToXYPlane ? ThetaToXYPlane : ThetaToZAxis;
}

void CoordSet3D::Convert(int source)
{
    switch (source) {
    case Kar_x:
    case Kar_y:
    case Kar_z:
    case ThetaConventionChanged:
        // The cylindrical radius just computed is the one theta is taken from.
        CartesianToCylindrical();
        CartesianToSpherical(Values[Zyl_r]);
        break;
    case Kug_r:
    case Kug_theta:
    case Kug_phi:
        SphericalToCartesian();
        CartesianToCylindrical();
        break;
    case Zyl_r:
    case Zyl_phi:
    case Zyl_z:
        CylindricalToCartesian();
        CartesianToSpherical();
        break;
    default:
        break;
    }
}

void CoordSet3D::CartesianToSpherical()
{
    CartesianToSpherical(CylindricalRadius(Values[Kar_x], Values[Kar_y]));
}

void CoordSet3D::CartesianToSpherical(long double cylindricalRadius)
{
    const long double x = Values[Kar_x];
    const long double y = Values[Kar_y];
    const long double z = Values[Kar_z];

    const long double r = SphericalRadius(x, y, z);
    Values[Kug_r] = r;
    if (r == 0) {
        Values[Kug_theta] = 0;
    } else {
        // From the two legs rather than an arc function of z/r: near the axis z/r rounds to 1
        // and its arc cosine would lose every digit of a small theta.
        const long double planar = RoundToDoublePrecision(cylindricalRadius);
        const long double height = RoundToDoublePrecision(z);
        Values[Kug_theta]
            = Convention == ThetaToZAxis ? std::atan2(planar, height) : std::atan2(height, planar);
    }
    Values[Kug_phi] = Azimuth(x, y);
}

void CoordSet3D::CartesianToCylindrical()
{
    const long double x = Values[Kar_x];
    const long double y = Values[Kar_y];

    Values[Zyl_r] = CylindricalRadius(x, y);
    Values[Zyl_phi] = Azimuth(x, y);
    Values[Zyl_z] = Values[Kar_z];
}

void CoordSet3D::SphericalToCartesian()
{
    const long double r = Values[Kug_r];
    const long double theta = Values[Kug_theta];
    const long double phi = Values[Kug_phi];

    // The distance from the z-axis and the height; with theta from the xy-plane the roles of
    // sine and cosine swap.
    const bool fromZAxis = Convention == ThetaToZAxis;
    const long double planar
        = (fromZAxis ? SineAtDoublePrecision(theta) : CosineAtDoublePrecision(theta)) * r;
    const long double height
        = (fromZAxis ? CosineAtDoublePrecision(theta) : SineAtDoublePrecision(theta)) * r;

    Values[Kar_x] = planar * CosineAtDoublePrecision(phi);
    Values[Kar_y] = planar * SineAtDoublePrecision(phi);
    Values[Kar_z] = height;
}

void CoordSet3D::CylindricalToCartesian()
{
    const long double r = Values[Zyl_r];
    const long double phi = Values[Zyl_phi];

    Values[Kar_x] = CosineAtDoublePrecision(phi) * r;
    Values[Kar_y] = SineAtDoublePrecision(phi) * r;
    Values[Kar_z] = Values[Zyl_z];
}

} // namespace tralto
