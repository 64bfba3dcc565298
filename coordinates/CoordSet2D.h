#pragma once

#include <complex>

// One point of the plane, stored as a single complex number: x is its real part, y its
// imaginary part. The polar coordinates are derived whenever they are read, and entering r or
// phi rebuilds the point from polar form, so an angle entered at the origin is not remembered.
// A point with a part that is not a number has neither distance nor direction; entering r or
// phi treats it as the origin, so a finite r or phi entered then gives a usable point.

namespace tralto {

class CoordSet2D
{
public:
    // The indices of the four update operations and of the values read, in the order of the
    // window's fields.
    enum Index
    {
        X = 0,
        Y = 1,
        R = 2,
        Phi = 3,
        ValueCount = 4
    };

    // 0 sets x, 1 sets y (the other part unchanged); 2 sets r, keeping the direction;
    // 3 sets phi in radians, keeping the distance. An index outside 0 to 3 is ignored.
    void Set(int index, long double value);
    // x, y, Modulus(), Angle(); an index outside 0 to 3 reads as not-a-number.
    long double Get(int index) const;

    // Both parts rounded to double, squares and root taken in extended precision (scaled by a
    // power of two where the squares would overflow or vanish).
    long double Modulus() const;
    // atan2 of the extended parts, from -pi to pi; 0 at the origin; not a number when a part is.
    long double Angle() const;

    std::complex<long double> GetValue() const { return Value; }

    // cos(angle) times modulus, sin(angle) times modulus; sine and cosine of the extended angle.
    // From 2^63 on an angle names no direction and both parts are not a number.
    static std::complex<long double> Polar(long double modulus, long double angle);

private:
    std::complex<long double> Value;
};

} // namespace tralto

// Reached without the namespace by the program and by code written before it.
using tralto::CoordSet2D;
