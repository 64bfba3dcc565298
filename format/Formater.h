#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tralto {

class SettingsStore;

// The number formatter: computed value → NumberText in a NumberLayout → the
// text of a coordinate field. The program writes its fields in its own layout
// (ProgramLayout): its format settings come from the settings file at start-up
// (ReadFormatSettings), change through the format dialog and go back to the
// file at shutdown (WriteFormatSettings); its separators are the locale's,
// handed over once at start-up.

// The layout kinds, with the values stored in the settings file. The program
// offers only the first four. The type is fixed so that any stored number is
// a value of it, shown as ffGeneral where no kind has that number.
enum TFloatFormat : int
{
    ffGeneral,
    ffExponent,
    ffFixed,
    ffNumber,
    ffCurrency
};

// The ranges of the format settings, shared by the conversion and the format dialog.
namespace FormatBounds {

// The layouts the program offers: ffGeneral to ffNumber.
inline constexpr int OfferedKinds = ffNumber + 1;
// Significant digits: a conversion clamps the precision to this range; the upper end is the
// 18 digits of the first rounding.
inline constexpr int32_t MinimumPrecision = 2;
inline constexpr int32_t MaximumPrecision = 18;
// Minimum exponent digits of ffExponent: 0 to 3 pad with zeros, this maximum pads nothing.
inline constexpr int32_t MaximumExponentDigits = 4;
// Decimals of ffFixed and ffNumber; a conversion shows more as this many.
inline constexpr int32_t MaximumDecimals = 18;

inline constexpr TFloatFormat DefaultKind = ffGeneral;
inline constexpr int32_t DefaultPrecision = 5;
inline constexpr int32_t DefaultDigits = 1;

} // namespace FormatBounds

// The decimal and thousands separators of a layout, UTF-8 (defaults "." and ",").
// A separator is one character of a locale, at most four bytes: an empty decimal
// separator, and a separator longer than MaximumBytes, give the default
// instead; an empty thousands separator writes numbers without grouping.
class NumberSeparators
{
public:
    static constexpr std::size_t MaximumBytes = 16;

    NumberSeparators() = default;
    NumberSeparators(std::string_view decimal, std::string_view thousands);

    std::string_view Decimal() const { return { decimal_.bytes, decimal_.size }; }
    std::string_view Thousands() const { return { thousands_.bytes, thousands_.size }; }

private:
    // Held in place, so that a layout is copied without an allocation.
    struct Separator
    {
        char bytes[MaximumBytes];
        std::size_t size;
    };

    Separator decimal_ { { '.' }, 1 };
    Separator thousands_ { { ',' }, 1 };
};

// How numbers are written: a value that carries the layout kind, the
// precision (significant digits), the digits (minimum exponent digits, or
// decimals) and the separators. The formatting functions below take one; the
// program's own is ProgramLayout(), which the settings file, the format dialog
// and the locale fill and every field is written in. Kind, precision and digits
// are the format settings of the settings file; they are stored as given, and
// a conversion keeps them in range.
struct NumberLayout
{
    TFloatFormat kind = FormatBounds::DefaultKind;
    int32_t precision = FormatBounds::DefaultPrecision;
    int32_t digits = FormatBounds::DefaultDigits;
    NumberSeparators separators;
};

// The format settings of the settings file and the format dialog are a layout's first three
// members.
using FormatSettings = NumberLayout;

// Any value other than 1, 2 or 3 (ffExponent, ffFixed, ffNumber) is ffGeneral.
TFloatFormat OfferedFormatKind(int kind);

// value in the layout: precision significant digits (2..18), digits as
// exponent digits or decimals. Infinite and undefined values give "INF",
// "-INF" and "NAN".
std::string NumberText(long double value, const NumberLayout& layout);

// The text of a coordinate field: value in the layout; magnitudes below 1e-16
// show as "0".
std::string FormatValue(long double value, const NumberLayout& layout);

// Whole numbers plainly, the multiples of π/4 by name, everything else with
// 18 decimals. With normalise, the negative angles -Pi/4, -Pi/2, -3Pi/4 and
// -Pi also name the equivalent positive angle ("-Pi/4 -> 7Pi/4").
std::string FormatExact(bool normalise, long double value, const NumberSeparators& separators);

// The program's layout: the format settings in force for the whole program
// and the locale's separators, handed over once at start-up. The functions
// below reach it.
NumberLayout& ProgramLayout();

// SetFormatKind goes through OfferedFormatKind.
void SetFormatKind(int kind);
int GetFormatKind();
void SetPrecision(int precision);
int GetPrecision();
void SetDigits(int digits);
int GetDigits();
void SetNumberSeparators(const std::string& decimal, const std::string& thousands);

// value in the given kind, precision and digits, with the program's separators.
std::string NumberText(long double value, TFloatFormat kind, int precision, int digits);
// value in the program's layout.
std::string FormatValue(long double value);
// FormatExact with the program's separators.
std::string FormatExact(bool normalise, long double value);

// The "Formater" section of the settings file: "Format", "Precision",
// "Digits", read and written in this order.
namespace FormatSettingNames {
inline constexpr const char* Section = "Formater";
inline constexpr const char* KindKey = "Format";
inline constexpr const char* PrecisionKey = "Precision";
inline constexpr const char* DigitsKey = "Digits";
} // namespace FormatSettingNames

// Kind, precision and digits of the layout (by default the program's).
void ReadFormatSettings(SettingsStore& settings, NumberLayout& layout = ProgramLayout());
void WriteFormatSettings(SettingsStore& settings, const NumberLayout& layout = ProgramLayout());

} // namespace tralto

// Reached without the namespace by the program and by code written before it.
namespace FormatBounds = tralto::FormatBounds;
namespace FormatSettingNames = tralto::FormatSettingNames;
using tralto::ffCurrency;
using tralto::ffExponent;
using tralto::ffFixed;
using tralto::ffGeneral;
using tralto::ffNumber;
using tralto::FormatExact;
using tralto::FormatSettings;
using tralto::FormatValue;
using tralto::GetDigits;
using tralto::GetFormatKind;
using tralto::GetPrecision;
using tralto::NumberText;
using tralto::ReadFormatSettings;
using tralto::SetDigits;
using tralto::SetFormatKind;
using tralto::SetNumberSeparators;
using tralto::SetPrecision;
using tralto::TFloatFormat;
using tralto::WriteFormatSettings;
