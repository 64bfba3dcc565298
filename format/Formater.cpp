#include "format/Formater.h"

#include "expression/Numeric.h"
#include "format/DecimalDigits.h"
#include "format/SettingsStore.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

namespace tralto {

// Every text is built in a buffer on the stack and copied once into the
// result, so a short text (up to 15 bytes) costs no allocation at all: the
// coordinate windows format eight values at each keystroke.

namespace {

using FormatBounds::MaximumDecimals;
using FormatBounds::MaximumPrecision;
// The general and exponent layouts cut digits only by the precision.
constexpr int kNoDecimalsLimit = 9999;

NumberLayout programLayout;

// The longest text: a sign, 18 integer digits with five thousands
// separators, the decimal separator and 18 decimals.
constexpr size_t kTextCapacity
    = 1 + MaximumPrecision + 6 * NumberSeparators::MaximumBytes + MaximumDecimals;

class TextBuilder
{
public:
    void Put(char c)
    {
        assert(size_ < kTextCapacity);
        text_[size_++] = c;
    }
    void Put(const char* bytes, size_t count)
    {
        assert(size_ + count <= kTextCapacity);
        std::memcpy(text_ + size_, bytes, count);
        size_ += count;
    }
    void Put(std::string_view separator) { Put(separator.data(), separator.size()); }
    void Repeat(char c, int count)
    {
        if (count <= 0)
            return;
        assert(size_ + size_t(count) <= kTextCapacity);
        std::memset(text_ + size_, c, size_t(count));
        size_ += size_t(count);
    }
    // An exponent, with leading zeros up to minimumDigits.
    void PutNumber(unsigned value, int minimumDigits)
    {
        char digits[10];
        int count = 0;
        do {
            digits[count++] = char('0' + value % 10);
            value /= 10;
        } while (value != 0);
        Repeat('0', minimumDigits - count);
        while (count > 0)
            Put(digits[--count]);
    }
    std::string Text() const { return std::string(text_, size_); }

private:
    char text_[kTextCapacity];
    size_t size_ = 0;
};

enum class Marker
{
    None,
    Infinite,
    NotANumber
};

// The value as ±0.d1d2… × 10^exponent after both roundings. No digits means
// zero, which is never negative.
struct RoundedDigits
{
    Marker marker = Marker::None;
    bool negative = false;
    char digits[MaximumPrecision];
    int count = 0;
    int exponent = 0;
};

// Writes the `count` digits of value without its trailing zeros, two at a
// time, and shortens the count by the zeros dropped.
void WriteDigits(uint64_t value, RoundedDigits& rounded)
{
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    while (value % 100000000 == 0) {
        value /= 100000000;
        rounded.count -= 8;
    }
    // At most seven zeros remain: drop them as four, two and one.
    struct ZeroRun
    {
        uint64_t power;
        int zeros;
    };
    static constexpr ZeroRun kShorterRuns[] = { { 10000, 4 }, { 100, 2 }, { 10, 1 } };
    for (const ZeroRun& run : kShorterRuns) {
        if (value % run.power == 0) {
            value /= run.power;
            rounded.count -= run.zeros;
        }
    }
    char* end = rounded.digits + rounded.count;
    while (value >= 100) {
        end -= 2;
        std::memcpy(end, kPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (value >= 10) {
        end -= 2;
        std::memcpy(end, kPairs + 2 * value, 2);
    } else {
        *--end = char('0' + value);
    }
    assert(end == rounded.digits);
}

// The 18 correctly rounded digits are cut to the precision, or to the
// decimals limit when that leaves fewer. This second rounding works on the
// 18-digit string and rounds ties away from zero, which is how a displayed
// 0.125 becomes 0.13.
RoundedDigits RoundDigits(long double value, int precision, int decimalsLimit)
{
    RoundedDigits rounded;
    const DecimalDigits exact = ToDecimalDigits(value);
    switch (exact.numberClass) {
    case NumberClass::Zero:
        return rounded;
    case NumberClass::Infinite:
        rounded.marker = Marker::Infinite;
        rounded.negative = exact.negative;
        return rounded;
    case NumberClass::NotANumber:
        rounded.marker = Marker::NotANumber;
        return rounded;
    case NumberClass::Finite:
        break;
    }

    int kept = exact.exponent + decimalsLimit;
    if (kept < 0)
        return rounded;
    kept = std::min(kept, precision);
    uint64_t significand = exact.significand;
    rounded.exponent = exact.exponent;
    rounded.count = kept;
    if (kept < MaximumPrecision) {
        const auto cut = static_cast<uint64_t>(Numeric::PowersOfTen[MaximumPrecision - kept]);
        const bool roundUp = significand % cut >= cut / 2;
        significand /= cut;
        if (roundUp && ++significand == Numeric::PowersOfTen[kept]) {
            significand = 1;
            rounded.count = 1;
            ++rounded.exponent;
        }
    }
    if (significand == 0) {
        rounded.count = 0;
        return rounded;
    }
    WriteDigits(significand, rounded);
    rounded.negative = exact.negative;
    return rounded;
}

// Plain from 0.0001 up to below 10^precision, else scientific with an "E"
// exponent that has no "+" and no padding.
void WriteGeneral(TextBuilder& text, const RoundedDigits& rounded, int precision,
    const NumberSeparators& separators)
{
    const int exponent = rounded.exponent;
    if (rounded.count == 0) {
        text.Put('0');
        return;
    }
    if (exponent >= -3 && exponent <= precision) {
        if (exponent <= 0) {
            text.Put('0');
            text.Put(separators.Decimal());
            text.Repeat('0', -exponent);
            text.Put(rounded.digits, rounded.count);
            return;
        }
        const int whole = std::min(exponent, rounded.count);
        text.Put(rounded.digits, whole);
        text.Repeat('0', exponent - whole);
        if (rounded.count > exponent) {
            text.Put(separators.Decimal());
            text.Put(rounded.digits + exponent, rounded.count - exponent);
        }
        return;
    }
    text.Put(rounded.digits[0]);
    if (rounded.count > 1) {
        text.Put(separators.Decimal());
        text.Put(rounded.digits + 1, rounded.count - 1);
    }
    text.Put('E');
    const int shown = exponent - 1;
    if (shown < 0)
        text.Put('-');
    text.PutNumber(unsigned(std::abs(shown)), 1);
}

// Always precision digits and a signed exponent. Only a minimum of 0 to 3
// exponent digits pads; 4 and more, like negative values, pad nothing.
void WriteExponent(TextBuilder& text, const RoundedDigits& rounded, int precision, int digits,
    const NumberSeparators& separators)
{
    text.Put(rounded.count > 0 ? rounded.digits[0] : '0');
    text.Put(separators.Decimal());
    const int following = std::max(rounded.count - 1, 0);
    text.Put(rounded.digits + 1, following);
    text.Repeat('0', precision - 1 - following);
    text.Put('E');
    const int shown = rounded.count > 0 ? rounded.exponent - 1 : 0;
    text.Put(shown < 0 ? '-' : '+');
    const int padding = digits >= 0 && digits < FormatBounds::MaximumExponentDigits ? digits : 0;
    text.PutNumber(unsigned(std::abs(shown)), std::max(padding, 1));
}

// Exactly `decimals` decimals; the integer part grouped in threes when asked.
// The caller has made sure that the integer part has at most 18 digits.
void WriteFixed(TextBuilder& text, const RoundedDigits& rounded, int decimals, bool grouped,
    const NumberSeparators& separators)
{
    const int exponent = rounded.exponent;
    if (exponent <= 0)
        text.Put('0');
    for (int i = 0; i < exponent; ++i) {
        if (grouped && i > 0 && (exponent - i) % 3 == 0)
            text.Put(separators.Thousands());
        text.Put(i < rounded.count ? rounded.digits[i] : '0');
    }
    if (decimals == 0)
        return;
    text.Put(separators.Decimal());
    int written = 0;
    if (exponent < 0) {
        written = std::min(-exponent, decimals);
        text.Repeat('0', written);
    }
    for (int i = std::max(exponent, 0); i < rounded.count && written < decimals; ++i, ++written)
        text.Put(rounded.digits[i]);
    text.Repeat('0', decimals - written);
}

std::string LayoutText(long double value, TFloatFormat kind, int precision, int digits,
    const NumberSeparators& separators)
{
    precision = std::clamp(precision, FormatBounds::MinimumPrecision, MaximumPrecision);
    const bool fixedLayout = kind == ffFixed || kind == ffNumber;
    // Negative decimals can only come from a hand-edited settings file; more
    // than 18 show as 18, rounded at the 18th decimal rather than cut there.
    const int decimals = std::clamp(digits, 0, MaximumDecimals);
    const RoundedDigits rounded
        = RoundDigits(value, precision, fixedLayout ? decimals : kNoDecimalsLimit);
    if (rounded.marker == Marker::NotANumber)
        return "NAN";
    if (rounded.marker == Marker::Infinite)
        return rounded.negative ? "-INF" : "INF";

    TextBuilder text;
    if (rounded.negative)
        text.Put('-');
    switch (kind) {
    case ffExponent:
        WriteExponent(text, rounded, precision, digits, separators);
        break;
    case ffFixed:
    case ffNumber:
        // Too large for the fixed layouts: shown scientific instead.
        if (rounded.exponent > precision)
            WriteGeneral(text, rounded, precision, separators);
        else
            WriteFixed(text, rounded, decimals, kind == ffNumber, separators);
        break;
    default: // ffGeneral, and ffCurrency, which the program never offers
        WriteGeneral(text, rounded, precision, separators);
        break;
    }
    return text.Text();
}

} // namespace

NumberSeparators::NumberSeparators(std::string_view decimal, std::string_view thousands)
{
    // Numbers without a decimal separator could not be read back, and a
    // separator longer than MaximumBytes is no locale's: both keep the default.
    if (!decimal.empty() && decimal.size() <= MaximumBytes)
        decimal_.size = decimal.copy(decimal_.bytes, MaximumBytes);
    if (thousands.size() <= MaximumBytes)
        thousands_.size = thousands.copy(thousands_.bytes, MaximumBytes);
}

TFloatFormat OfferedFormatKind(int kind)
{
    switch (kind) {
    case ffExponent:
    case ffFixed:
    case ffNumber:
        return TFloatFormat(kind);
    default:
        return ffGeneral;
    }
}

std::string NumberText(long double value, const NumberLayout& layout)
{
    return LayoutText(value, layout.kind, layout.precision, layout.digits, layout.separators);
}

std::string FormatValue(long double value, const NumberLayout& layout)
{
    // Rounding noise of the conversions (cos(π/2) and the like) shows as 0.
    // The threshold is the double 1e-16, not the exact power of ten.
    constexpr long double kSmallestShown = 1e-16;
    if (std::fabs(value) < kSmallestShown)
        return "0";
    return NumberText(value, layout);
}

NumberLayout& ProgramLayout()
{
    return programLayout;
}

void SetFormatKind(int kind)
{
    programLayout.kind = OfferedFormatKind(kind);
}

int GetFormatKind()
{
    return programLayout.kind;
}

void SetPrecision(int precision)
{
    programLayout.precision = precision;
}

int GetPrecision()
{
    return programLayout.precision;
}

void SetDigits(int digits)
{
    programLayout.digits = digits;
}

int GetDigits()
{
    return programLayout.digits;
}

void SetNumberSeparators(const std::string& decimal, const std::string& thousands)
{
    programLayout.separators = NumberSeparators(decimal, thousands);
}

std::string NumberText(long double value, TFloatFormat kind, int precision, int digits)
{
    return LayoutText(value, kind, precision, digits, programLayout.separators);
}

std::string FormatValue(long double value)
{
    return FormatValue(value, programLayout);
}

namespace {

struct NamedAngle
{
    double value; // the double nearest to k·π/4
    const char* name;
    const char* positiveEquivalent; // appended to the negative angle when normalising
};

// k·π/4 of the double nearest π, rounded once to double: k·π is exact in extended precision.
// Each is also the double nearest to the exact k·π/4.
constexpr double QuarterPi(int k)
{
    return static_cast<double>(k * Numeric::Pi / 4);
}

constexpr NamedAngle kMultiplesOfQuarterPi[] = {
    { QuarterPi(1), "Pi/4", " -> 7Pi/4" },
    { QuarterPi(2), "Pi/2", " -> 3Pi/2" },
    { QuarterPi(3), "3Pi/4", " -> 5Pi/4" },
    { QuarterPi(4), "Pi", " -> Pi" },
    { QuarterPi(5), "5Pi/4", nullptr },
    { QuarterPi(6), "3Pi/2", nullptr },
    { QuarterPi(7), "7Pi/4", nullptr },
    { QuarterPi(8), "2*Pi -> 0", nullptr },
};

} // namespace

std::string FormatExact(bool normalise, long double value)
{
    return FormatExact(normalise, value, programLayout.separators);
}

std::string FormatExact(bool normalise, long double value, const NumberSeparators& separators)
{
    constexpr long double kWholeNumberLimit = 2147483648.0L; // 2^31
    const long double magnitude = std::fabs(value);
    // Checked for the limit first, so that neither NaN nor a large value is
    // ever converted to an integer.
    if (magnitude < kWholeNumberLimit && magnitude == static_cast<long double>(int64_t(magnitude)))
        return LayoutText(value, ffGeneral, 15, 0, separators);

    // Only the exact doubles count: an angle computed in full extended
    // precision differs in its last bits and shows with its decimals.
    for (const NamedAngle& angle : kMultiplesOfQuarterPi) {
        if (magnitude != static_cast<long double>(angle.value))
            continue;
        std::string text = value < 0 ? "-" : "";
        text += angle.name;
        if (normalise && value < 0 && angle.positiveEquivalent != nullptr)
            text += angle.positiveEquivalent;
        return text;
    }
    return LayoutText(value, ffFixed, MaximumPrecision, MaximumDecimals, separators);
}

void ReadFormatSettings(SettingsStore& settings, NumberLayout& layout)
{
    using namespace FormatSettingNames;
    const NumberLayout defaults;
    layout.kind = OfferedFormatKind(settings.ReadInteger(Section, KindKey, defaults.kind));
    layout.precision = settings.ReadInteger(Section, PrecisionKey, defaults.precision);
    layout.digits = settings.ReadInteger(Section, DigitsKey, defaults.digits);
}

void WriteFormatSettings(SettingsStore& settings, const NumberLayout& layout)
{
    using namespace FormatSettingNames;
    settings.WriteInteger(Section, KindKey, layout.kind);
    settings.WriteInteger(Section, PrecisionKey, layout.precision);
    settings.WriteInteger(Section, DigitsKey, layout.digits);
}

} // namespace tralto
