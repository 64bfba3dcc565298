#pragma once

#include <QString>
#include <QStringList>

class QLocale;

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

// "<folder>/Sharedlex.<code>", the file of a language.
QString LanguageFilePath(const QString& languageFolder, const QString& code);

// Opens "Sharedlex.<code>" of the folder. Gives no file (and no message) when
// the code is empty or names no plain file of the folder (a folder, a FIFO,
// which is never waited on), when the file cannot be read, or when it is not
// a complete translation file of its own (empty, truncated, damaged, foreign
// content, or naming other files it depends on).
std::unique_ptr<QTranslator> OpenLanguageFile(const QString& languageFolder, const QString& code);

// The text with the number in the file; empty when the file holds none under
// it or when there is no file.
QString LanguageFileText(const QTranslator* file, int32_t number);

// The locale a language file was translated for ("de_DE"), as it records
// it; empty for no file and for a file that names none.
QString LanguageFileLocale(const QTranslator* file);

// A language code is three ASCII letters ("deu"; case counts). Only a file
// named with one is offered as a language: backup copies ("Sharedlex.deu~",
// "Sharedlex.deu.bak") and other names are not.
bool IsLanguageCode(const QString& code);

// The languages the language menu and the first-start dialog offer: the code
// of every plain file "Sharedlex.<code>" of the folder with a well-formed
// code, except "tds", which never names a language file. Each code once,
// sorted by code (character by character), so that what is offered does not
// depend on the order in which the file system lists the folder. Empty when
// the folder is missing.
QStringList FindLanguageCodes(const QString& languageFolder);

// Which of the listed languages suits a user of the locale, judged by the
// locales their files were made for (parallel to the codes): the first of
// the locale's interface languages (on Linux those of LANGUAGE, else of
// LC_MESSAGES or LANG) for which a file was made, the user's own territory
// before another ("de_AT" before "de_DE" for a user in Austria); else
// English; else the first. -1 only when nothing is listed.
qsizetype SuitedLanguage(
    const QStringList& codes, const QStringList& fileLocales, const QLocale& user);
