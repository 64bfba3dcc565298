#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

// The number policy of the engine, one definition for the evaluator, the coordinate transforms
// and the formatter: the value that stands for "no number", pi, the powers of ten, the rounding
// of an extended value to double precision before an elementary function, sine and cosine with
// that rounding, and the magnitude from which an angle names no direction. The roundings are
// inline: the transforms round some twenty times a keystroke.
namespace tralto::Numeric {

inline constexpr long double NotANumber = std::numeric_limits<long double>::quiet_NaN();

// The double nearest to pi, as the user's "pi" enters every calculation; the angles the
// formatter names and the azimuth on the x = 0 plane are its multiples.
inline constexpr long double Pi = 3.141592653589793;

// base^0 .. base^(count - 1).
template <class Integer, std::size_t count>
constexpr std::array<Integer, count> PowerTable(Integer base)
{
    std::array<Integer, count> powers {};
    powers[0] = 1;
    for (std::size_t i = 1; i < count; ++i)
        powers[i] = powers[i - 1] * base;
    return powers;
}

// 10^0 to 10^22: the scales of the decimal conversion (up to 10^20), and the powers of ten a
// double holds exactly (5^22 < 2^53).
inline constexpr auto PowersOfTen = PowerTable<unsigned __int128, 23>(10);

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

// function (a sine, cosine or tangent) of an angle already rounded to double precision: not a
// number, without a report, from DoubleDirectionLimit on; an angle that is not a number stays
// itself.
template <class Function> long double OfRoundedAngle(Function function, long double angle)
{
    if (!(std::fabs(angle) < DoubleDirectionLimit))
        return std::isnan(angle) ? angle : NotANumber;
    return function(angle);
}

// Sine and cosine with the two roundings of their angle. OfDouble: the angle becomes a double,
// so one below the normal doubles becomes a subnormal or 0 (the evaluator's sin and cos).
// AtDoublePrecision: the significand is rounded and the exponent kept (the 3-D transforms).
inline long double SineOfDouble(long double angle)
{
    return OfRoundedAngle(sinl, RoundToDouble(angle));
}

inline long double CosineOfDouble(long double angle)
{
    return OfRoundedAngle(cosl, RoundToDouble(angle));
}

inline long double SineAtDoublePrecision(long double angle)
{
    return OfRoundedAngle(sinl, RoundToDoublePrecision(angle));
}

inline long double CosineAtDoublePrecision(long double angle)
{
    return OfRoundedAngle(cosl, RoundToDoublePrecision(angle));
}

} // namespace tralto::Numeric
