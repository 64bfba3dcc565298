#pragma once

// Extended values in the coordinate tests. Exact comparison: the bits, the sign of zero
// included, decide; any two not-a-numbers count as equal, whatever their sign or payload.
// Random coordinates for the round-trip properties.

#include <QByteArray>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <numbers>
#include <random>

inline constexpr long double Pi = std::numbers::pi_v<long double>;
inline constexpr long double HalfPi = Pi / 2;
inline constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();
inline constexpr long double Inf = std::numeric_limits<long double>::infinity();

struct ExtendedBits
{
    uint16_t signAndExponent;
    uint64_t significand;
};

inline ExtendedBits BitsOf(long double value)
{
    unsigned char bytes[sizeof(long double)] {};
    std::memcpy(bytes, &value, sizeof value);
    ExtendedBits bits {};
    std::memcpy(&bits.significand, bytes, sizeof bits.significand);
    std::memcpy(
        &bits.signAndExponent, bytes + sizeof bits.significand, sizeof bits.signAndExponent);
    return bits;
}

inline bool Identical(long double actual, long double expected)
{
    if (std::isnan(actual) || std::isnan(expected))
        return std::isnan(actual) && std::isnan(expected);
    const ExtendedBits a = BitsOf(actual);
    const ExtendedBits e = BitsOf(expected);
    return a.signAndExponent == e.signAndExponent && a.significand == e.significand;
}

inline QByteArray ExtendedText(long double value)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.21Lg (%La)", value, value);
    return QByteArray(text);
}

// A coordinate of either sign with a full 64-bit significand and a size from 2^-40 to 2^41.
inline long double RandomCoordinate(std::mt19937_64& random)
{
    // One in eight coordinates is zero, so that the axes and planes are visited too.
    if (random() % 8 == 0)
        return 0;
    const long double significand = 1 + std::generate_canonical<long double, 64>(random);
    const int exponent = static_cast<int>(random() % 81) - 40;
    return (random() % 2 ? -1 : 1) * std::ldexp(significand, exponent);
}

#define VERIFY_IDENTICAL(actual, expected, what)                                                   \
    do {                                                                                           \
        const long double actualValue = (actual);                                                  \
        const long double expectedValue = (expected);                                              \
        QVERIFY2(Identical(actualValue, expectedValue),                                            \
            (QByteArray(what) + ": got " + ExtendedText(actualValue) + ", expected "               \
                + ExtendedText(expectedValue))                                                     \
                .constData());                                                                     \
    } while (false)
