#include "format/DecimalDigits.h"

#include "expression/Numeric.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>
#include <optional>

static_assert(std::numeric_limits<long double>::digits == 64,
    "the conversion reads the x87 80-bit extended layout");

namespace tralto {

// A finite value is m × 2^q with a 64-bit m. The conversion computes
// floor(m × 2^q / 10^k) exactly, together with a flag that says whether
// anything was cut off, for a k that leaves 19 or 20 digits; the cut to 18
// digits then needs no more than the next digit and that flag. Values from
// 1e-9 up to 2^128 are done in 128-bit integers; the rest, up to the ends of
// the extended range, in a big integer on the stack.

namespace {

using uint128 = unsigned __int128;

constexpr int kExponentBias = 16383;
constexpr int kSpecialExponent = 0x7FFF;

constexpr uint64_t kTen17 = 100000000000000000ull;
constexpr uint64_t kTen18 = 1000000000000000000ull;
constexpr uint64_t kTen19 = 10000000000000000000ull;

// 5^0 .. 5^27: the powers of five that fit 64 bits.
constexpr int kMaxFivePower = 27;

constexpr auto kPowersOfFive = Numeric::PowerTable<uint64_t, kMaxFivePower + 1>(5);

// The 64-bit limbs of the big integers. The smallest normal value, about
// 3.4e-4932, is scaled by 5^4950 (11,494 bits) on top of its 64-bit
// significand; the largest, about 1.2e4932, is divided by 5^4914 after its
// significand is shifted up by 11,406 bits.
constexpr int kScaleUpLimbs = 184; // 11,776 bits
constexpr int kScaleDownLimbs = 180; // 11,520 bits

struct Scaled
{
    uint128 quotient; // floor(m × 2^q / 10^k), below 10^20
    bool inexact; // whether the division left a remainder
};

// Values from 1e-9 to 1e18: m × 5^j fits 128 bits, so a shift finishes it.
Scaled ScaleUpSmall(uint64_t m, int q, int j)
{
    const uint128 product = uint128(m) * kPowersOfFive[j];
    const int shift = q + j;
    if (shift >= 0)
        return { product << shift, false };
    assert(-shift < 128);
    const uint128 lostBits = product & ((uint128(1) << -shift) - 1);
    return { product >> -shift, lostBits != 0 };
}

// Values below 1e-9: m × 5^j in a big integer, then the same shift.
Scaled ScaleUpLarge(uint64_t m, int q, int j)
{
    uint64_t limbs[kScaleUpLimbs];
    int size = 1;
    limbs[0] = m;
    for (int rest = j; rest > 0;) {
        const int step = std::min(rest, kMaxFivePower);
        const uint64_t factor = kPowersOfFive[step];
        uint64_t carry = 0;
        for (int i = 0; i < size; ++i) {
            const uint128 product = uint128(limbs[i]) * factor + carry;
            limbs[i] = uint64_t(product);
            carry = uint64_t(product >> 64);
        }
        if (carry != 0) {
            assert(size < kScaleUpLimbs);
            limbs[size++] = carry;
        }
        rest -= step;
    }

    // The value is below 1, so q + j is negative: only a right shift remains.
    const int shift = -(q + j);
    assert(shift > 0);
    const int word = shift / 64;
    const int bit = shift % 64;
    const auto limb = [&](int i) { return i < size ? limbs[i] : uint64_t(0); };
    bool inexact = false;
    for (int i = 0; i < word && i < size; ++i)
        inexact = inexact || limbs[i] != 0;
    // The quotient has fewer than 68 bits, so two words of it suffice.
    if (bit == 0)
        return { uint128(limb(word)) | uint128(limb(word + 1)) << 64, inexact };
    inexact = inexact || (limb(word) << (64 - bit)) != 0;
    const uint64_t low = (limb(word) >> bit) | (limb(word + 1) << (64 - bit));
    const uint64_t high = (limb(word + 1) >> bit) | (limb(word + 2) << (64 - bit));
    return { uint128(low) | uint128(high) << 64, inexact };
}

// Values from 1e18 to 2^128: one 128-bit division.
Scaled ScaleDownSmall(uint64_t m, int q, int k)
{
    const uint128 value = uint128(m) << q;
    // Below 2^128 the scale 10^k never exceeds 10^20.
    const uint128 scale = Numeric::PowersOfTen[k];
    const uint128 quotient = value / scale;
    return { quotient, value - quotient * scale != 0 };
}

// One step of long division: (high × 2^64 + low) / divisor, where high is
// below the divisor, so the quotient fits 64 bits.
inline uint64_t DivideStep(uint64_t high, uint64_t low, uint64_t divisor, uint64_t& remainder)
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    // One instruction instead of a call into the 128-bit division routine.
    uint64_t quotient;
    __asm__("divq %[divisor]"
            : "=a"(quotient), "=d"(remainder)
            : [divisor] "rm"(divisor), "a"(low), "d"(high));
    return quotient;
#else
    const uint128 dividend = uint128(high) << 64 | low;
    remainder = uint64_t(dividend % divisor);
    return uint64_t(dividend / divisor);
#endif
}

// Values from 2^128 up: m × 2^q / 10^k = m × 2^(q-k) / 5^k, with q > k, in a
// big integer divided by 5^27 at a time. The quotient of successive floor
// divisions is the floor of the whole division, and the whole remainder is
// zero only when every partial remainder is.
Scaled ScaleDownLarge(uint64_t m, int q, int k)
{
    uint64_t limbs[kScaleDownLimbs];
    const int shift = q - k;
    assert(shift >= 0);
    const int word = shift / 64;
    assert(word + 2 <= kScaleDownLimbs);
    std::fill(limbs, limbs + word, uint64_t(0));
    const uint128 top = uint128(m) << (shift % 64);
    limbs[word] = uint64_t(top);
    limbs[word + 1] = uint64_t(top >> 64);
    int size = limbs[word + 1] != 0 ? word + 2 : word + 1;

    bool inexact = false;
    for (int rest = k; rest > 0;) {
        const int step = std::min(rest, kMaxFivePower);
        const uint64_t divisor = kPowersOfFive[step];
        uint64_t remainder = 0;
        for (int i = size - 1; i >= 0; --i)
            limbs[i] = DivideStep(remainder, limbs[i], divisor, remainder);
        inexact = inexact || remainder != 0;
        while (size > 0 && limbs[size - 1] == 0)
            --size;
        rest -= step;
    }
    assert(size <= 2);
    const uint64_t low = size > 0 ? limbs[0] : 0;
    const uint64_t high = size > 1 ? limbs[1] : 0;
    return { uint128(high) << 64 | low, inexact };
}

// Divides a number below 2^67 by ten without a 128-bit division.
uint64_t DivideByTen(uint128 value, unsigned& remainder)
{
    const uint64_t high = uint64_t(value >> 32);
    const uint64_t low = (high % 10) << 32 | uint32_t(value);
    remainder = unsigned(low % 10);
    return (high / 10) << 32 | (low / 10);
}

// The fields of the x87 80-bit layout.
struct ExtendedBits
{
    uint64_t mantissa; // with the explicit integer bit at the top
    int biasedExponent;
    bool negative;
};

inline ExtendedBits ReadExtended(long double value)
{
    uint64_t mantissa;
    uint16_t signExponent;
    std::memcpy(&mantissa, &value, sizeof mantissa);
    std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&value) + sizeof mantissa,
        sizeof signExponent);
    return { mantissa, signExponent & kSpecialExponent, (signExponent >> 15) != 0 };
}

// The class of a value that has no digits to show; none for a normal finite
// value.
inline std::optional<DecimalDigits> WithoutDigits(const ExtendedBits& bits)
{
    DecimalDigits result;
    const bool integerBit = (bits.mantissa >> 63) != 0;
    if (bits.biasedExponent == 0)
        return result;
    if (bits.biasedExponent == kSpecialExponent) {
        if (integerBit && (bits.mantissa << 1) == 0) {
            result.numberClass = NumberClass::Infinite;
            result.negative = bits.negative;
        } else {
            result.numberClass = NumberClass::NotANumber;
        }
        return result;
    }
    // An unnormal (exponent set, integer bit clear) is an invalid operand to
    // the x87 unit; arithmetic never produces one.
    if (!integerBit) {
        result.numberClass = NumberClass::NotANumber;
        return result;
    }
    return std::nullopt;
}

// floor(binaryExponent × log10 2), exact over the whole extended range.
inline int DecimalExponentOfPowerOfTwo(int binaryExponent)
{
    return int((int64_t(binaryExponent) * 1292913986) >> 32);
}

// floor(m × 2^q / 10^k) by whichever of the four ways fits the magnitude.
inline Scaled ScaleByPowerOfTen(uint64_t m, int q, int k)
{
    if (k <= 0)
        return -k <= kMaxFivePower ? ScaleUpSmall(m, q, -k) : ScaleUpLarge(m, q, -k);
    return q <= 64 ? ScaleDownSmall(m, q, k) : ScaleDownLarge(m, q, k);
}

// Cuts the 19 or 20 digits of scaled to 18, rounded half to even on the
// exact value; scale, the power of ten of the last digit, follows the cuts.
inline uint64_t RoundToEighteenDigits(Scaled scaled, int& scale)
{
    unsigned nextDigit;
    uint64_t digits;
    if (scaled.quotient >= kTen19) {
        // The digit cut here only decides whether a 5 below is a tie.
        digits = DivideByTen(scaled.quotient, nextDigit);
        scaled.inexact = scaled.inexact || nextDigit != 0;
        ++scale;
    } else {
        digits = uint64_t(scaled.quotient);
    }
    nextDigit = unsigned(digits % 10);
    digits /= 10;
    ++scale;
    if (nextDigit > 5 || (nextDigit == 5 && (scaled.inexact || (digits & 1) != 0)))
        ++digits;
    // 999…9 rounded up carries into a 19th digit.
    if (digits == kTen18) {
        digits = kTen17;
        ++scale;
    }
    return digits;
}

} // namespace

DecimalDigits ToDecimalDigits(long double value)
{
    const ExtendedBits bits = ReadExtended(value);
    if (const std::optional<DecimalDigits> special = WithoutDigits(bits))
        return *special;

    // value = mantissa × 2^q, and 2^binaryExponent <= value < 2^(binaryExponent + 1),
    // so floor(log10 value) is floor(binaryExponent × log10 2) or one more.
    const int binaryExponent = bits.biasedExponent - kExponentBias;
    const int q = binaryExponent - 63;
    int scale = DecimalExponentOfPowerOfTwo(binaryExponent) - 18;
    const Scaled scaled = ScaleByPowerOfTen(bits.mantissa, q, scale);
    const uint64_t digits = RoundToEighteenDigits(scaled, scale);

    DecimalDigits result;
    result.numberClass = NumberClass::Finite;
    result.negative = bits.negative;
    result.significand = digits;
    result.exponent = scale + 18;
    return result;
}

} // namespace tralto
