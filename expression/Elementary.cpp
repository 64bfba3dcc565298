#include "expression/Elementary.h"

#include "expression/Parser.h"

#include <cmath>
#include <iostream>
#include <limits>
#include <utility>

namespace {

constexpr long double NotANumber = std::numeric_limits<long double>::quiet_NaN();
constexpr long double Infinity = std::numeric_limits<long double>::infinity();

// Halfway between the largest double and 2^1024: from here on rounding to
// double gives infinity.
constexpr long double DoubleOverflowLimit = 0x1.fffffffffffff8p+1023L;

// Beyond this magnitude every double is an even integer and a sine says nothing.
constexpr double PeriodLossLimit = 0x1p53;

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

long double Periodic(Function function, long double x)
{
    const double argument = RoundToDouble(x);
    if (!(std::fabs(argument) < PeriodLossLimit))
        return std::isnan(argument) ? argument : NotANumber;
    return function(argument);
}

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

double RoundToDouble(long double x)
{
    if (std::fabs(x) >= DoubleOverflowLimit)
        return std::signbit(x) ? -std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::infinity();
    return static_cast<double>(x);
}

long double Sine(long double x)
{
    return Periodic(sinl, x);
}

long double Cosine(long double x)
{
    return Periodic(cosl, x);
}

long double Tangent(long double x)
{
    return Periodic(tanl, x);
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
    return Logarithm(log10l, "log10", x);
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
        return Infinity;
    }
    const bool finite = std::isfinite(x) && std::isfinite(y);
    if (finite && x < 0 && std::trunc(y) != y)
        return Domain("pow");
    const long double result = powl(x, y);
    if (finite && std::isinf(RoundToDouble(result))) {
        Report("pow", "OVERFLOW");
        return std::signbit(result) ? -Infinity : Infinity;
    }
    return result;
}
