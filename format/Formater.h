#pragma once

#include <cstdint>
#include <string>

class SettingsStore;

// The number formatter: computed value → NumberText in the process-wide
// format settings → the text of a coordinate field. The settings come from
// the settings file at start-up (ReadFormatSettings), change through the
// format dialog and go back to the file at shutdown (WriteFormatSettings).
// The separators are the locale's, handed over once at start-up.

// The layout kinds, with the values stored in the settings file. The program
// offers only the first four.
enum TFloatFormat
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

// The format in force for the whole program.
struct FormatSettings
{
    TFloatFormat kind = FormatBounds::DefaultKind;
    int32_t precision = FormatBounds::DefaultPrecision; // significant digits
    int32_t digits = FormatBounds::DefaultDigits; // minimum exponent digits, or decimals
};

// Any value other than 1, 2 or 3 selects ffGeneral.
void SetFormatKind(int kind);
int GetFormatKind();
// Stored and returned unchanged; the conversion keeps them in range.
void SetPrecision(int precision);
int GetPrecision();
void SetDigits(int digits);
int GetDigits();

// The locale's separators as UTF-8 (defaults "." and ","), set once at
// start-up. An empty thousands separator writes numbers without grouping. An
// empty decimal separator, and a separator longer than 16 bytes, give the
// default instead.
void SetNumberSeparators(const std::string& decimal, const std::string& thousands);

// value in the given layout: precision significant digits (2..18), digits as
// exponent digits or decimals. Infinite and undefined values give "INF",
// "-INF" and "NAN".
std::string NumberText(long double value, TFloatFormat kind, int precision, int digits);

// value in the current settings; magnitudes below 1e-16 show as "0".
std::string FormatValue(long double value);

// Whole numbers plainly, the multiples of π/4 by name, everything else with
// 18 decimals. With normalise, the negative angles -Pi/4, -Pi/2, -3Pi/4 and
// -Pi also name the equivalent positive angle ("-Pi/4 -> 7Pi/4").
std::string FormatExact(bool normalise, long double value);

// The "Formater" section of the settings file: "Format", "Precision",
// "Digits", read and written in this order.
namespace FormatSettingNames {
inline constexpr const char* Section = "Formater";
inline constexpr const char* KindKey = "Format";
inline constexpr const char* PrecisionKey = "Precision";
inline constexpr const char* DigitsKey = "Digits";
} // namespace FormatSettingNames

void ReadFormatSettings(SettingsStore& settings);
void WriteFormatSettings(SettingsStore& settings);
