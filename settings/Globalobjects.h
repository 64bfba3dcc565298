#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "localisation/Langcomponents.h"
#include "settings/SettingsLocation.h"

class IniFile;
class QAction;
class QObject;
class QTranslator;

// The one settings-and-language object of a run, owned by the main window and
// handed by reference to the windows that need settings or texts.
//
// Construction opens the settings file (beside the program, or in the user's
// configuration folder when the program's folder cannot be written; see
// SettingsLocation), reads the number format from it and fills the language
// code table. Destruction releases the
// language file, writes the number format back and closes the file; it never
// throws: a failed write goes to the settings error handler.
class globalObjects
{
public:
    using SettingsErrorHandler = std::function<void(const std::string& message)>;

    explicit globalObjects(const QString& programFilePath);
    // With the user's configuration folder named, not taken from the
    // environment.
    globalObjects(const QString& programFilePath, const QString& configFolder);
    ~globalObjects();

    globalObjects(const globalObjects&) = delete;
    globalObjects& operator=(const globalObjects&) = delete;

    IniFile& Settings() { return *settingsFile_; }

    // Receives the message of a write that fails while the object is
    // destroyed (the number format). By default it goes to standard error.
    void SetSettingsErrorHandler(SettingsErrorHandler handler);

    // Language files. The handle is the loaded file, or null; it stays valid
    // until the next LoadLanguage with another code or the end of this object.
    const QTranslator* LoadLanguage(const QString& code);
    // LoadLanguage of the code, and when its file does not open, of the first
    // of the fallbacks whose file does, in their order. Gives the code of the
    // language loaded: the code, a fallback, or empty when none opens.
    QString LoadLanguageOrFallback(const QString& code, const QStringList& fallbacks);
    QString LanguageText(int32_t number) const;
    int32_t LanguageTextNumber(const QString& code) const;
    const QTranslator* LanguageHandle() const { return languageHandle_.get(); }
    const QString& LoadedCode() const { return loadedCode_; }
    // The program's folder, where the glyph library lies.
    const QString& ProgramFolder() const { return programFolder_; }
    // "<folder of the program>/language", for the language menu and dialog.
    const QString& LanguageFolder() const { return languageFolder_; }

    // Translation registry. With a language file loaded the element takes its
    // text at once; without one it keeps the text it has.
    void RegisterMenuItem(QAction* item, int32_t number);
    void RegisterComponent(QObject* element, TextKind kind, int32_t number);
    const langComponents& Components() const { return components_; }

private:
    void OpenSettings(const QString& settingsPath);
    void CloseSettings() noexcept;

    std::unique_ptr<IniFile> settingsFile_;
    std::unique_ptr<QTranslator> languageHandle_;
    QString loadedCode_;
    langComponents components_;
    std::map<QString, int32_t> codeTable_;

    QString programFolder_;
    QString languageFolder_;
    SettingsErrorHandler settingsErrorHandler_;
};
