#pragma once

// The first-start language dialog. Every language file of the folder that
// opens adds one prompt line (its text 603) and one radio item (its text
// 100), each in its own language; the language of the user's locale is
// chosen beforehand (English when none suits). OK writes the chosen code to
// the settings file at once and hands the code to the caller:
//
//   folder search → OpenLanguageFile(code) → prompt + item → OK → "Language"/"CommonLangExt"
//
// The files are opened one at a time and released at once; the language
// loaded by globalObjects does not change. A list longer than the screen
// scrolls, with OK below it in view.

#include <QDialog>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class IniFile;
class QLabel;
class QPushButton;
class QScrollArea;
class RadioGroup;
class globalObjects;

class TLanguageForm : public QDialog
{
    Q_OBJECT

public:
    // The language chosen beforehand is the one that suits `userLocale`.
    TLanguageForm(QWidget* owner, IniFile& settings, const QString& languageFolder,
        const QLocale& userLocale = QLocale::system());

    // The codes of the listed languages, parallel to the items of `radio`.
    const QStringList& LanguageCodes() const { return languageCodes_; }
    // The code stored at OK; empty before.
    const QString& ChosenCode() const { return chosenCode_; }

    // Lists the languages and lays the dialog out just before it appears,
    // so that every element is in place when the window shows.
    void setVisible(bool visible) override;

private:
    void FormShow();
    void AddLanguage(const QString& code);
    void PlaceElements();
    QSize RoomForList() const;
    void OKBtnClick();

    IniFile& settings_;
    QString languageFolder_;
    QLocale userLocale_;
    QStringList languageCodes_;
    // The locale each listed file was made for, parallel to the codes.
    QStringList languageLocales_;
    QString chosenCode_;
    QList<QLabel*> prompts_;

    QPushButton* OKBtn;
    // The prompts and `radio` lie on `list_`, which scrolls when it is longer
    // than the screen allows.
    QScrollArea* scroller_;
    QWidget* list_;
    RadioGroup* radio;

    // Layout state of one showing: the top of the next prompt line and the
    // widest element so far.
    int32_t nextTop_ = 20;
    int32_t widest_ = 100;
    // The pixel layout grows with the dialog's font (1 at the design font).
    qreal scale_ = 1;
    int32_t Px(int32_t designPixels) const;
};

// Shows the dialog modally over the owner (the main window, or none while it
// is being created) and frees it when it closes. Gives the chosen code, which
// is also in the settings file then, or nothing when the user closed the
// dialog without OK.
std::optional<QString> ShowLanguageDialog(QWidget* owner, IniFile& settings,
    const QString& languageFolder, const QLocale& userLocale = QLocale::system());
std::optional<QString> ShowLanguageDialog(QWidget* owner, globalObjects& globals);
