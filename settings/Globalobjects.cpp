#include "settings/Globalobjects.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include <cstdio>
#include <exception>

#include "format/Formater.h"
#include "localisation/Languagefiles.h"
#include "localisation/TextNumbers.h"
#include "settings/IniFile.h"

namespace {

void WriteToStandardError(const std::string& message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
}

} // namespace

globalObjects::globalObjects(const QString& programFilePath)
    : globalObjects(programFilePath, UserConfigFolder())
{
}

globalObjects::globalObjects(const QString& programFilePath, const QString& configFolder)
    : programFolder_(QFileInfo(programFilePath).absolutePath())
    , languageFolder_(LanguageFolderPath(programFilePath))
    , settingsErrorHandler_(WriteToStandardError)
{
    OpenSettings(SettingsLocation(programFilePath, configFolder));
}

globalObjects::~globalObjects()
{
    CloseSettings();
}

void globalObjects::SetSettingsErrorHandler(SettingsErrorHandler handler)
{
    settingsErrorHandler_ = handler ? std::move(handler) : WriteToStandardError;
}

void globalObjects::OpenSettings(const QString& settingsPath)
{
    settingsFile_ = std::make_unique<IniFile>(settingsPath);
    settingsFile_->RemoveStaleTemporaries();
    ReadFormatSettings(*settingsFile_);
    codeTable_ = {
        { QStringLiteral("deu"), TextNumber::GermanName },
        { QStringLiteral("enu"), TextNumber::EnglishName },
        { QStringLiteral("esr"), TextNumber::SpanishName },
        { QStringLiteral("ita"), TextNumber::ItalianName },
        { QStringLiteral("ptb"), TextNumber::PortugueseName },
    };
}

void globalObjects::CloseSettings() noexcept
{
    languageHandle_.reset();
    loadedCode_.clear();
    // The main window's writes just before may have failed for the same
    // reason and been shown already: the user hears of it once.
    const std::string earlierFailure = settingsFile_->LastWriteFailure();
    try {
        WriteFormatSettings(*settingsFile_);
    } catch (const std::exception& error) {
        // The program is ending; the failure is told, not thrown out of a
        // destructor. A handler that throws in turn is not let through.
        try {
            if (error.what() != earlierFailure)
                settingsErrorHandler_(error.what());
        } catch (...) {
            WriteToStandardError(error.what());
        }
    }
    settingsFile_.reset();
}

const QTranslator* globalObjects::LoadLanguage(const QString& code)
{
    if (code == loadedCode_)
        return languageHandle_.get();
    languageHandle_.reset();
    loadedCode_.clear();
    languageHandle_ = OpenLanguageFile(languageFolder_, code);
    if (languageHandle_) {
        loadedCode_ = code;
        components_.TranslateAll(*languageHandle_);
    }
    return languageHandle_.get();
}

QString globalObjects::LoadLanguageOrFallback(const QString& code, const QStringList& fallbacks)
{
    if (LoadLanguage(code) != nullptr)
        return code;
    QStringList tried { code };
    for (const QString& fallback : fallbacks) {
        if (tried.contains(fallback))
            continue;
        tried.append(fallback);
        if (LoadLanguage(fallback) != nullptr)
            return fallback;
    }
    return {};
}

QString globalObjects::LanguageText(int32_t number) const
{
    return LanguageFileText(languageHandle_.get(), number);
}

int32_t globalObjects::LanguageTextNumber(const QString& code) const
{
    const auto entry = codeTable_.find(code);
    // A code that is not in the table is shown under the name of English.
    return entry == codeTable_.end() ? TextNumber::EnglishName : entry->second;
}

void globalObjects::RegisterMenuItem(QAction* item, int32_t number)
{
    components_.AddMenuItem(item, number);
    if (languageHandle_ && item != nullptr)
        item->setText(LanguageText(number));
}

void globalObjects::RegisterComponent(QObject* element, TextKind kind, int32_t number)
{
    components_.AddComponent(element, kind, number);
    if (languageHandle_)
        ApplyText(element, kind, LanguageText(number));
}
