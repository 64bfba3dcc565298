#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class QTranslator;

// Language files: one compiled Qt translation per language, named
// "Sharedlex.<code>" in the folder "language" beside the program. Every text
// that follows the language is a message whose ID is its text number ("551").
//
//   folder search → codes → OpenLanguageFile(code) → LanguageFileText(file, number)
//
// The handle of an open file is the translator itself; it is queried directly
// and never installed in the application.

// The language of a program whose user closed the first-start dialog without
// a choice.
inline constexpr QLatin1String FallbackLanguageCode("enu");

// "<folder of the program>/language": the program finds its language files
// from any working directory.
QString LanguageFolderPath(const QString& programFilePath);

// Opens "Sharedlex.<code>" of the folder. Gives no file (and no message) when
// the code is empty or names no plain file of the folder, or when the file is
// not a translation file (empty, truncated, foreign content).
std::unique_ptr<QTranslator> OpenLanguageFile(const QString& languageFolder, const QString& code);

// The text with the number in the file; empty when the file holds none under
// it or when there is no file.
QString LanguageFileText(const QTranslator* file, int32_t number);

// How a code is taken from a file name: the language menu takes the (up to)
// three characters after the first dot, the language dialog the last three
// characters. Both give "deu" for "Sharedlex.deu".
enum class LanguageCodeRule
{
    Menu,
    Dialog
};

QString LanguageCodeOfFile(const QString& fileName, LanguageCodeRule rule);

// The names of the plain files "Sharedlex.*" of the folder (the name matched
// with case), in the order the directory lists them; not sorted. Empty when
// the folder is missing.
QStringList FindLanguageFiles(const QString& languageFolder);

// The codes of the files found, by the rule, in the same order: the languages
// the language menu and the first-start dialog offer. The code "tds" never
// names a language file and is left out, and so is a file whose name yields
// no code at all.
QStringList FindLanguageCodes(const QString& languageFolder, LanguageCodeRule rule);
// The same for file names already found.
QStringList LanguageCodesOfFiles(const QStringList& fileNames, LanguageCodeRule rule);
