#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

// The number policy of the engine, one definition for the evaluator and the coordinate
// transforms: the value that stands for "no number", the rounding of an extended value to
// double precision before an elementary function, and the magnitude from which an angle names
// no direction. The roundings are inline: the transforms round some twenty times a keystroke.
namespace Numeric {

inline constexpr long double NotANumber = std::numeric_limits<long double>::quiet_NaN();

// The conversion to the double format: the nearest double; ±infinity from halfway past the
// largest double on (where a cast would be undefined); below the smallest normal double the
// subnormal or zero that IEEE rounding gives.
inline double RoundToDouble(long double value)
{
    constexpr long double OverflowLimit = 0x1.fffffffffffff8p+1023L;
    if (std::fabs(value) >= OverflowLimit)
        return std::signbit(value) ? -std::numeric_limits<double>::infinity()
                                   : std::numeric_limits<double>::infinity();
    return static_cast<double>(value);
}

// RoundToDouble applied to the significand alone, for a finite nonzero value beyond the range of
// normal doubles: the exponent is kept.
long double RoundKeepingExponent(long double value);

// The same rounding of the significand to 53 bits, but the exponent is kept where it lies
// beyond the double range: a point of huge or tiny coordinates keeps its radius and direction
// instead of overflowing to infinity or collapsing to zero. Zero, infinities and not-a-number
// pass unchanged.
inline long double RoundToDoublePrecision(long double value)
{
    const long double magnitude = std::fabs(value);
    if (magnitude >= std::numeric_limits<double>::min()
        && magnitude <= std::numeric_limits<double>::max())
        return RoundToDouble(value);
    if (value == 0 || !std::isfinite(value))
        return value;
    return RoundKeepingExponent(value);
}

// RootOfSumOfSquares where the sum overflowed, or fell below the normal extended numbers.
template <class Root, class... Values>
[[gnu::noinline, gnu::cold]] long double RootOfScaledSquares(
    long double sum, Root root, Values... values)
{
    // Not a number, an infinite value or the origin: nothing to scale.
    const long double largest = std::max({ std::fabs(values)... });
    if (std::isnan(sum) || largest == 0 || largest > std::numeric_limits<long double>::max())
        return root(sum);
    const int exponent = std::ilogb(largest);
    const auto scaledSquare = [exponent](long double value) {
        const long double scaled = std::scalbn(value, -exponent);
        return scaled * scaled;
    };
    return std::scalbn(root((... + scaledSquare(values))), exponent);
}

// root(the sum of the squares of values, added in the order given), for a root that commutes
// with scaling by an even power of two, such as the square root with or without the rounding
// to double precision. Where the sum overflows or falls below the normal extended numbers,
// the values are scaled by a power of two and the root scaled back: that commutes with every
// rounding on the way, so a radius is finite and nonzero wherever the exact one is. A sum in
// the normal range is taken as it is.
template <class Root, class... Values>
[[gnu::always_inline]] inline long double RootOfSumOfSquares(Root root, Values... values)
{
    const long double sum = (... + (values * values));
    if (sum >= std::numeric_limits<long double>::min()
        && sum <= std::numeric_limits<long double>::max()) [[likely]]
        return root(sum);
    return RootOfScaledSquares(sum, root, values...);
}

// Sine and cosine of an angle of this magnitude or more are not a number, without a report:
// the angle's last bit then spans so much of the period that it names no direction.
// An angle rounded to double first (the evaluator, the 3-D transforms): from 2^53 on
// neighbouring doubles lie two radians or more apart.
inline constexpr long double DoubleDirectionLimit = 0x1p53L;
// An angle taken at full extended precision (the 2-D polar form): from 2^63 on neighbouring
// extended values lie one radian or more apart.
inline constexpr long double ExtendedDirectionLimit = 0x1p63L;

} // namespace Numeric
