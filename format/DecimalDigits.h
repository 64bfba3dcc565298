#pragma once

#include <cstddef>
#include <cstdint>

// The first step of every number text: the exact value of an 80-bit extended
// number, rounded once to 18 significant decimal digits with ties to even.
// The formatter rounds this digit string a second time to the precision the
// user chose, so the 18 digits must be exact, not an approximation.

namespace tralto {

enum class NumberClass
{
    Zero, // zero, minus zero and the denormals, which have no digits to show
    Finite,
    Infinite,
    NotANumber // NaN and the encodings the x87 unit rejects as invalid operands
};

struct DecimalDigits
{
    NumberClass numberClass = NumberClass::Zero;
    bool negative = false; // the sign of a finite or infinite value
    // For a finite value: 18 digits, 10^17 <= significand < 10^18, so that the
    // value is about 0.significand × 10^exponent.
    uint64_t significand = 0;
    int exponent = 0;
};

DecimalDigits ToDecimalDigits(long double value);

} // namespace tralto
