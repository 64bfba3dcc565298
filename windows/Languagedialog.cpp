#include "windows/Languagedialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>

#include <algorithm>

#include "localisation/Languagefiles.h"
#include "localisation/TextNumbers.h"
#include "settings/Globalobjects.h"
#include "settings/IniFile.h"
#include "settings/SettingsNames.h"
#include "widgets/DesignScale.h"
#include "widgets/DialogFrame.h"
#include "widgets/Guard.h"
#include "widgets/Messageboxes.h"
#include "widgets/RadioGroup.h"

namespace {

// The layout in pixels: prompt lines 20 apart from the top, a margin of 10,
// the radio group 129 wide and 20 per language plus 30 for its frame. Text
// that needs more room than that (a large font, a long prompt or language
// name) widens or lengthens the element instead of being cut off.
constexpr int32_t FirstTop = 20;
constexpr int32_t Margin = 10;
constexpr int32_t LeastWidest = 100;
constexpr int32_t LineHeight = 20;
constexpr int32_t RadioWidth = 129;
constexpr int32_t RadioItemHeight = 20;
constexpr int32_t RadioFrameHeight = 30;
constexpr int32_t ExtraHeight = 30;

} // namespace

TLanguageForm::TLanguageForm(QWidget* owner, IniFile& settings, const QString& languageFolder)
    : QDialog(owner)
    , settings_(settings)
    , languageFolder_(languageFolder)
    , OKBtn(new QPushButton(QStringLiteral("OK"), this))
    , radio(new RadioGroup(this))
    , scale_(DesignScale(font()))
{
    setObjectName(QStringLiteral("LanguageForm"));
    SetFixedDialogFrame(this);
    setWindowTitle(QStringLiteral("Solidus"));
    resize(Px(320), Px(240));

    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(0, 0, Px(75), Px(25));
    OKBtn->setDefault(true);
    radio->setObjectName(QStringLiteral("radio"));
    radio->setGeometry(0, 0, Px(RadioWidth), Px(41));
    setTabOrder(OKBtn, radio);

    connect(OKBtn, &QPushButton::clicked, this, &TLanguageForm::OKBtnClick);
}

void TLanguageForm::setVisible(bool visible)
{
    if (visible && !isVisible())
        FormShow();
    QDialog::setVisible(visible);
}

void TLanguageForm::FormShow()
{
    // A second showing starts from an empty list again.
    qDeleteAll(prompts_);
    prompts_.clear();
    radio->Clear();
    languageCodes_.clear();

    nextTop_ = Px(FirstTop);
    // The margin stays as designed: the elements inside grow with the font.
    margin_ = Margin;
    widest_ = Px(LeastWidest);

    const QStringList files = FindLanguageFiles(languageFolder_);
    if (files.isEmpty()) {
        MessageBoxes::Show(this,
            { QApplication::applicationName(), QStringLiteral("Error opening the Language files!"),
                MessageBoxes::Icon::Warning });
    }
    for (const QString& code : LanguageCodesOfFiles(files, LanguageCodeRule::Dialog))
        AddLanguage(code);
    radio->SetItemIndex(0);
    // A screen reader names the list by the prompts above it, each in its
    // own language, as the eye reads them.
    QStringList promptTexts;
    for (const QLabel* prompt : std::as_const(prompts_))
        promptTexts << prompt->text();
    radio->setAccessibleName(promptTexts.join(QLatin1Char(' ')));
    PlaceElements();
}

void TLanguageForm::AddLanguage(const QString& code)
{
    // A file of its own, released at the end of this call: the language the
    // program has loaded stays as it is.
    const std::unique_ptr<QTranslator> file = OpenLanguageFile(languageFolder_, code);
    if (!file)
        return;
    languageCodes_.append(code);

    auto* prompt = new QLabel(this);
    prompt->setObjectName(QStringLiteral("Prompt%1_Label").arg(prompts_.size()));
    prompt->setTextFormat(Qt::PlainText);
    prompt->setText(LanguageFileText(file.get(), TextNumber::LanguagePrompt));
    radio->Add(LanguageFileText(file.get(), TextNumber::OwnLanguageName));

    prompt->adjustSize();
    prompt->move(margin_, nextTop_);
    nextTop_ += std::max(Px(LineHeight), prompt->height());
    widest_ = std::max(prompt->width(), widest_);
    prompts_.append(prompt);
}

void TLanguageForm::PlaceElements()
{
    const QSize needed = radio->sizeHint();
    const int32_t radioHeight
        = std::max(Px(RadioItemHeight * radio->Count() + RadioFrameHeight), needed.height());
    radio->setGeometry(margin_, nextTop_, std::max(Px(RadioWidth), needed.width()), radioHeight);
    widest_ = std::max(widest_, radio->width());

    const int32_t height
        = 4 * margin_ + radio->y() + radio->height() + OKBtn->height() + Px(ExtraHeight);
    const int32_t width = 3 * margin_ + widest_;
    setFixedSize(width, height);
    OKBtn->move((width - OKBtn->width()) / 2, radio->y() + margin_ + radio->height());
}

int32_t TLanguageForm::Px(int32_t designPixels) const
{
    return Scaled(designPixels, scale_);
}

void TLanguageForm::OKBtnClick()
{
    const int index = radio->ItemIndex();
    // With no listed language selected, the fallback is stored.
    const QString code = index >= 0 && index < languageCodes_.size()
        ? languageCodes_[index]
        : QString(FallbackLanguageCode);
    // A failed write leaves the dialog open: the user sees why, and can try
    // again or close the dialog, which then stores nothing.
    const bool written = RunGuarded(this, [&] {
        settings_.WriteString(
            SettingsNames::LanguageSection, SettingsNames::LanguageCodeKey, code.toStdString());
    });
    if (written) {
        chosenCode_ = code;
        accept();
    }
}

std::optional<QString> ShowLanguageDialog(
    QWidget* owner, IniFile& settings, const QString& languageFolder)
{
    TLanguageForm dialog(owner, settings, languageFolder);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenCode();
}

std::optional<QString> ShowLanguageDialog(QWidget* owner, globalObjects& globals)
{
    return ShowLanguageDialog(owner, globals.Settings(), globals.LanguageFolder());
}
