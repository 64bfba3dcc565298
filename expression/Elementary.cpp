#include "expression/Elementary.h"

#include "expression/Numeric.h"
#include "expression/Parser.h"

#include <cmath>
#include <iostream>
#include <limits>
#include <utility>

namespace tralto {

using Numeric::NotANumber;
using Numeric::RoundToDouble;

namespace {

constexpr long double Infinity = std::numeric_limits<long double>::infinity();

void WriteMathError(const std::string& function, const std::string& kind)
{
    std::cerr << function << ": " << kind << " error\n";
}

MathErrorHandler& CurrentHandler()
{
    static MathErrorHandler handler = WriteMathError;
    return handler;
}

void Report(const char* function, const char* kind)
{
    CurrentHandler()(function, kind);
}

long double Domain(const char* function)
{
    Report(function, "DOMAIN");
    return NotANumber;
}

using Function = long double (*)(long double);

long double Logarithm(Function function, const char* name, long double x)
{
    const double argument = RoundToDouble(x);
    if (argument < 0)
        return Domain(name);
    if (argument == 0) {
        Report(name, "SING");
        return -Infinity;
    }
    return function(argument);
}

// The C library's log10l misses some exact powers of ten (1e7, 1e15, ...) by a unit in the
// last place, and a hint then shows eighteen decimals instead of the whole number; their
// logarithm is the exponent itself.
// The doubles nearest 1e23 and beyond are no powers of ten: their logarithms differ from the
// whole number by up to some dozens of units in the last place, and are left as computed.
long double DecimalLogarithmOfDouble(long double argument)
{
    const long double logarithm = log10l(argument);
    const long double nearest = std::nearbyint(logarithm);
    // Up to 10^22 a power of ten is an exact double (5^22 < 2^53).
    constexpr auto& powers = Numeric::PowersOfTen;
    if (nearest >= 0 && nearest < powers.size()
        && argument == static_cast<long double>(powers[static_cast<std::size_t>(nearest)]))
        return nearest;
    return logarithm;
}

long double WithinOne(Function function, const char* name, long double x)
{
    const double argument = RoundToDouble(x);
    if (std::fabs(argument) > 1)
        return Domain(name);
    return function(argument);
}

} // namespace

void SetMathErrorHandler(MathErrorHandler handler)
{
    CurrentHandler() = handler ? std::move(handler) : MathErrorHandler(WriteMathError);
}

long double Tangent(long double x)
{
    return Numeric::OfRoundedAngle(tanl, RoundToDouble(x));
}

long double SquareRoot(long double x)
{
    const double argument = RoundToDouble(x);
    if (argument < 0)
        return Domain("sqrt");
    return sqrtl(argument);
}

long double NaturalLogarithm(long double x)
{
    return Logarithm(logl, "log", x);
}

long double DecimalLogarithm(long double x)
{
    return Logarithm(DecimalLogarithmOfDouble, "log10", x);
}

long double ArcSine(long double x)
{
    return WithinOne(asinl, "asin", x);
}

long double ArcCosine(long double x)
{
    return WithinOne(acosl, "acos", x);
}

long double ArcTangent(long double x)
{
    return atanl(RoundToDouble(x));
}

long double Power(long double base, long double exponent)
{
    const double x = RoundToDouble(base);
    const double y = RoundToDouble(exponent);
    if (std::isnan(x))
        return x;
    if (std::isnan(y))
        return y;
    if (x == 0 && y < 0) {
        Report("pow", "SING");
        // An infinity that keeps the sign of a negative zero under an odd power, as pow's.
        return powl(x, y);
    }
    const bool finite = std::isfinite(x) && std::isfinite(y);
    if (finite && x < 0 && std::trunc(y) != y)
        return Domain("pow");
    const long double result = powl(x, y);
    if (finite && std::isinf(RoundToDouble(result))) {
        Report("pow", "OVERFLOW");
        return std::signbit(result) ? -Infinity : Infinity;
    }
    // Like its overflow, the underflow follows the double range: a result below the normal
    // doubles is the double pow's, a subnormal or 0. So 1/(10^-400) is a division by zero.
    if (result != 0 && std::fabs(result) < std::numeric_limits<double>::min())
        return std::pow(x, y);
    return result;
}

} // namespace tralto
