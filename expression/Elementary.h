#pragma once

// The elementary functions as the evaluator applies them: the argument is
// rounded to double, the value computed and kept in extended precision, and an
// argument outside the function's domain is reported through the math error
// handler (see SetMathErrorHandler in expression/Parser.h) before the function
// returns its substitute value.

namespace tralto {

// The sine and cosine are Numeric::SineOfDouble and CosineOfDouble. Like them, the tangent is
// NaN, without a report, for an argument of magnitude 2^53 or more: the period is then lost in
// the argument's last bit.
long double Tangent(long double x);

long double SquareRoot(long double x);
long double NaturalLogarithm(long double x);
// The exponent itself for an exact power of ten.
long double DecimalLogarithm(long double x);
long double ArcSine(long double x);
long double ArcCosine(long double x);
long double ArcTangent(long double x);

// base ^ exponent; NaN for a NaN operand, without a report. The result is extended, but its
// range is the double's: beyond it an overflow, below the normal doubles the double result.
long double Power(long double base, long double exponent);

} // namespace tralto
