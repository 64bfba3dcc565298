#pragma once

// Qt's own texts (a field's context menu, the standard buttons of message
// boxes and dialogs) in the language the program shows: Qt's translation
// "qtbase" for the locale of the loaded language file, installed in the
// application while that language is shown and exchanged at every change of
// language. Where Qt's translation files are not installed, Qt's texts stay
// English, as Qt writes them itself.
//
// Qt's loader reads these files as they are; they are the system's own
// files beside Qt, not files of the program's language folder.

#include <QString>

#include <memory>

class QTranslator;

class QtTranslation
{
public:
    // Qt's translation files are looked for in the folder (by default the one
    // Qt was installed with).
    explicit QtTranslation(QString folder = InstalledFolder());
    ~QtTranslation();

    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Qt's texts in the language of the locale ("de_DE", "pt_BR"); English
    // for an English locale, an empty one and one Qt has no translation for.
    void Follow(const QString& locale);

    static QString InstalledFolder();

private:
    QString folder_;
    // The locale whose translation is installed; empty while Qt speaks
    // English.
    QString locale_;
    std::unique_ptr<QTranslator> translator_;
};
