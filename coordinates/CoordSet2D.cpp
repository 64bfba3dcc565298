#include "coordinates/CoordSet2D.h"

#include "expression/Numeric.h"

#include <cmath>

namespace tralto {

using Numeric::NotANumber;
using Numeric::RoundToDoublePrecision;

void CoordSet2D::Set(int index, long double value)
{
    switch (index) {
    case X:
        Value.real(value);
        break;
    case Y:
        Value.imag(value);
        break;
    case R: {
        // A point that is not a number has no direction; like the origin it counts as
        // direction 0, so that a new radius always gives a usable point again.
        const long double angle = Angle();
        Value = Polar(value, std::isnan(angle) ? 0 : angle);
        break;
    }
    case Phi: {
        // Likewise a point that is not a number counts as the origin when it is turned.
        const long double modulus = Modulus();
        Value = Polar(std::isnan(modulus) ? 0 : modulus, value);
        break;
    }
    default:
        break;
    }
}

long double CoordSet2D::Get(int index) const
{
    switch (index) {
    case X:
        return Value.real();
    case Y:
        return Value.imag();
    case R:
        return Modulus();
    case Phi:
        return Angle();
    default:
        return NotANumber;
    }
}

long double CoordSet2D::Modulus() const
{
    const long double x = RoundToDoublePrecision(Value.real());
    const long double y = RoundToDoublePrecision(Value.imag());
    return Numeric::RootOfSumOfSquares([](long double sum) { return std::sqrt(sum); }, x, y);
}

long double CoordSet2D::Angle() const
{
    const long double modulus = Modulus();
    if (std::isnan(modulus))
        return NotANumber;
    // At the origin atan2 would give 0 or pi depending on the signs of the zeros.
    if (!(modulus > 0))
        return 0;
    return std::atan2(Value.imag(), Value.real());
}

std::complex<long double> CoordSet2D::Polar(long double modulus, long double angle)
{
    // Sine and cosine of the extended angle, unrounded; an angle too large to name a direction
    // gives a point that is not a number rather than an arbitrary one.
    if (!(std::fabs(angle) < Numeric::ExtendedDirectionLimit))
        return { NotANumber, NotANumber };
    return { std::cos(angle) * modulus, std::sin(angle) * modulus };
}

} // namespace tralto
