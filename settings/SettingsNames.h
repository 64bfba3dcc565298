#pragma once

// Every section and key of the settings file, named once. The number format's
// own section is read and written by the formatter, which names it beside the
// code that reads it; it is listed here too, so that this header shows the
// whole file.
//
//   [Coord]     Dim=2|3                 the dimension of the window shown
//   [Language]  CommonLangExt=<code>    the language, empty before the first start
//   [Formater]  Format, Precision, Digits

#include "format/Formater.h"

namespace SettingsNames {

inline constexpr const char* CoordSection = "Coord";
inline constexpr const char* DimensionKey = "Dim";

inline constexpr const char* LanguageSection = "Language";
inline constexpr const char* LanguageCodeKey = "CommonLangExt";

inline constexpr const char* FormatSection = FormatSettingNames::Section;
inline constexpr const char* FormatKindKey = FormatSettingNames::KindKey;
inline constexpr const char* PrecisionKey = FormatSettingNames::PrecisionKey;
inline constexpr const char* DigitsKey = FormatSettingNames::DigitsKey;

} // namespace SettingsNames
