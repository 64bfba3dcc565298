#include "expression/Numeric.h"

namespace tralto::Numeric {

long double RoundKeepingExponent(long double value)
{
    // The significand, scaled to [1, 2), is rounded like any double and the exponent restored.
    // Both scalings are exact.
    const int exponent = std::ilogb(value);
    const double significand = RoundToDouble(std::scalbn(value, -exponent));
    return std::scalbn(static_cast<long double>(significand), exponent);
}

} // namespace tralto::Numeric
