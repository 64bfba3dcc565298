#include "expression/Numeric.h"

#include <cmath>

namespace Numeric {

namespace {

// Halfway between the largest double and 2^1024: from here on rounding to double gives infinity.
// Converting such a value with a cast would be undefined, so it is decided here.
constexpr long double DoubleOverflowLimit = 0x1.fffffffffffff8p+1023L;

} // namespace

double RoundToDouble(long double value)
{
    if (std::fabs(value) >= DoubleOverflowLimit)
        return std::signbit(value) ? -std::numeric_limits<double>::infinity()
                                   : std::numeric_limits<double>::infinity();
    return static_cast<double>(value);
}

long double RoundToDoublePrecision(long double value)
{
    const long double magnitude = std::fabs(value);
    if (magnitude >= std::numeric_limits<double>::min()
        && magnitude <= std::numeric_limits<double>::max())
        return RoundToDouble(value);
    if (value == 0 || !std::isfinite(value))
        return value;
    // Beyond the double range the exponent is set aside: the significand, scaled to [1, 2), is
    // rounded like any double and the exponent restored. Both scalings are exact.
    const int exponent = std::ilogb(value);
    const double significand = RoundToDouble(std::scalbn(value, -exponent));
    return std::scalbn(static_cast<long double>(significand), exponent);
}

} // namespace Numeric
