#pragma once

// The numbers of the texts in the language files, one name each. A language
// file holds every text under its number as the message ID ("551"); the
// translator comments in translations/Sharedlex_enu.ts say where each one
// stands and how long it may be.

#include <cstdint>

namespace TextNumber {

// The name of the file's own language, for the first-start dialog's list.
inline constexpr int32_t OwnLanguageName = 100;
// The names of the languages in the language menu, in the file's language.
inline constexpr int32_t GermanName = 102;
inline constexpr int32_t EnglishName = 103; // also every code the program does not know
inline constexpr int32_t SpanishName = 104;
inline constexpr int32_t ItalianName = 105;
inline constexpr int32_t PortugueseName = 106;

// The format dialog's buttons.
inline constexpr int32_t CancelButton = 500;
inline constexpr int32_t OKButton = 501;
inline constexpr int32_t DefaultsButton = 503;

// The coordinate windows' own menu.
inline constexpr int32_t FileMenu = 516;
inline constexpr int32_t ExitItem = 517;
inline constexpr int32_t CopyPointItem = 518;

// The main window's menu.
inline constexpr int32_t LanguageMenu = 521;
inline constexpr int32_t OptionsMenu = 604;
inline constexpr int32_t FormatItem = 605; // also the format dialog's title

// The three-dimensional window: section headings and the theta conventions.
inline constexpr int32_t CartesianHeading = 551;
inline constexpr int32_t SphericalHeading = 552;
inline constexpr int32_t CylindricalHeading = 553;
inline constexpr int32_t ThetaToZAxisItem = 554;
inline constexpr int32_t ThetaToXYPlaneItem = 555;

// The first-start dialog's prompt, in the file's own language.
inline constexpr int32_t LanguagePrompt = 603;

// The format dialog's prompts and its list of layouts.
inline constexpr int32_t PrecisionPrompt = 606;
inline constexpr int32_t ExponentDigitsPrompt = 607;
inline constexpr int32_t DecimalsPrompt = 608;
inline constexpr int32_t FirstFormatKind = 609; // 609 to 612 in the order of TFloatFormat

// The info dialog's product block: the word before the version number and
// the two lines about the program.
inline constexpr int32_t VersionCaption = 620;
inline constexpr int32_t FirstInfoLine = 621;
inline constexpr int32_t SecondInfoLine = 622;

} // namespace TextNumber
