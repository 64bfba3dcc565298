#pragma once

#include <array>

// One point of space, held at once in Cartesian (x, y, z), spherical (r, theta, phi) and
// cylindrical (r, phi, z) coordinates. The owner writes one value (an angle in radians) with Set
// and then calls Convert with its index: the Cartesian triple is the hub, so a spherical or
// cylindrical entry goes through it to the third system, and the entered triple stays as entered.
//
// Every value is an 80-bit extended real. Sums and products stay extended; square roots, arc
// functions and sine/cosine take their argument rounded to double precision and give an
// extended result (Numeric::RoundToDoublePrecision, which keeps the exponent of a value beyond
// the double range). That rounding decides the last digits shown at high display precision.
// theta is the angle atan2 gives for the cylindrical radius and z (both rounded to double), so
// it keeps its digits right up to the z axis.
// An angle of magnitude 2^53 or more names no direction: what is computed from it is not a
// number. Not-a-number and infinite values pass through the arithmetic as IEEE arithmetic
// says; they never stick: a triple of finite values (coordinates below 6e4931, whose radius
// stays finite, and angles below 2^53) always converts to finite values, and a point off the
// origin to nonzero radii: the squares are scaled by a power of two where they would overflow
// or fall below the normal extended numbers.

namespace tralto {

enum ThetaConvention
{
    ThetaToZAxis = 0,
    ThetaToXYPlane = 1
};
enum AngleUnit
{
    RAD = 0,
    DEG = 1
};

// pi/180 and 180/pi rounded to extended precision.
extern const long double RadiansPerDegree;
extern const long double DegreesPerRadian;

// The azimuth of a point on the x = 0 plane: the double nearest to pi/2, kept at that value
// rather than the extended pi/2 that atan2 gives elsewhere.
extern const long double AxisAngle;

// Neither reduces the angle to a range.
long double DegToRad(long double degrees);
long double RadToDeg(long double radians);

// The azimuth of (x, y) in the xy-plane: AxisAngle or -AxisAngle on the x = 0 plane (the sign
// of y decides, a zero y counts as positive), otherwise atan2 in the range -pi to pi; not a
// number when either coordinate is.
long double Azimuth(long double x, long double y);

class CoordSet3D
{
public:
    // The indices of the nine values, in the order of the window's fields.
    enum Index
    {
        Kar_x = 0,
        Kar_y = 1,
        Kar_z = 2,
        Kug_r = 3,
        Kug_theta = 4,
        Kug_phi = 5,
        Zyl_r = 6,
        Zyl_phi = 7,
        Zyl_z = 8,
        ValueCount = 9
    };
    // The Convert code for "the theta convention has changed".
    static constexpr int ThetaConventionChanged = -2;

    // An index outside 0 to 8 reads as not-a-number.
    long double Get(int index) const;
    // An index outside 0 to 8 is ignored. The value is kept as given, never normalised.
    void Set(int index, long double value);

    ThetaConvention GetThetaConvention() const { return Convention; }
    // Only records the choice; the owner then calls Convert(ThetaConventionChanged).
    void SetThetaConvention(ThetaConvention convention);

    // Recomputes the other two triples after the value with index source was set:
    // 0 to 2 and -2 from the Cartesian triple, 3 to 5 from the spherical one, 6 to 8 from the
    // cylindrical one. Any other code does nothing.
    void Convert(int source);

    void CartesianToSpherical();
    void CartesianToCylindrical();
    void SphericalToCartesian();
    void CylindricalToCartesian();

private:
    // theta from the cylindrical radius of the Cartesian triple, as CartesianToCylindrical
    // computes it.
    void CartesianToSpherical(long double cylindricalRadius);

    std::array<long double, ValueCount> Values {};
    ThetaConvention Convention = ThetaToZAxis;
};

} // namespace tralto

// Reached without the namespace by the program and by code written before it.
using tralto::AngleUnit;
using tralto::AxisAngle;
using tralto::CoordSet3D;
using tralto::DEG;
using tralto::DegToRad;
using tralto::RAD;
using tralto::RadToDeg;
using tralto::ThetaConvention;
using tralto::ThetaToXYPlane;
using tralto::ThetaToZAxis;
