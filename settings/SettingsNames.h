#pragma once

// Every section and key of the settings file, named once. The number format's
// own section is read and written by the formatter, which names it beside the
// code that reads it; it is listed here too, so that this header shows the
// whole file.
//
//   [Coord]     Dim=2|3                 the dimension of the window shown
//               AngleUnit3D=0|1         RAD or DEG in the three-dimensional window
//               AngleUnit2D=0|1         RAD or DEG in the two-dimensional window
//               ThetaConvention=0|1     theta from the z axis or from the xy plane
//   [Window]    Left, Top, Width, Height, Maximized=0|1, Screen=<name>
//                                       where the main window was (its normal
//                                       size, without the frame) and on which screen
//   [Language]  CommonLangExt=<code>    the language, empty before the first start
//   [Formater]  Format, Precision, Digits
//
// Keys a file lacks leave things as on a first start.

#include "format/Formater.h"

namespace SettingsNames {

inline constexpr const char* CoordSection = "Coord";
inline constexpr const char* DimensionKey = "Dim";
inline constexpr const char* AngleUnit3DKey = "AngleUnit3D";
inline constexpr const char* AngleUnit2DKey = "AngleUnit2D";
inline constexpr const char* ThetaConventionKey = "ThetaConvention";

inline constexpr const char* WindowSection = "Window";
inline constexpr const char* LeftKey = "Left";
inline constexpr const char* TopKey = "Top";
inline constexpr const char* WidthKey = "Width";
inline constexpr const char* HeightKey = "Height";
inline constexpr const char* MaximizedKey = "Maximized";
inline constexpr const char* ScreenKey = "Screen";

inline constexpr const char* LanguageSection = "Language";
inline constexpr const char* LanguageCodeKey = "CommonLangExt";

inline constexpr const char* FormatSection = FormatSettingNames::Section;
inline constexpr const char* FormatKindKey = FormatSettingNames::KindKey;
inline constexpr const char* PrecisionKey = FormatSettingNames::PrecisionKey;
inline constexpr const char* DigitsKey = FormatSettingNames::DigitsKey;

} // namespace SettingsNames
