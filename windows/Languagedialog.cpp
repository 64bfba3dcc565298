#include "windows/Languagedialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
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

// The layout in pixels: prompt lines 20 apart from the top, a margin of 10
// (kept as designed at any font; the elements inside grow instead),
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
// What a window manager may add around the dialog (title bar, borders),
// kept free when a long list is fitted to the screen.
constexpr int32_t WindowFrameAllowance = 48;

} // namespace

TLanguageForm::TLanguageForm(
    QWidget* owner, IniFile& settings, const QString& languageFolder, const QLocale& userLocale)
    : QDialog(owner)
    , settings_(settings)
    , languageFolder_(languageFolder)
    , userLocale_(userLocale)
    , OKBtn(new QPushButton(QStringLiteral("OK"), this))
    , scroller_(new QScrollArea(this))
    , list_(new QWidget)
    , radio(new RadioGroup(list_))
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

    // Without a frame of its own and on the dialog's background: while the
    // list fits, nothing shows that it could scroll.
    scroller_->setObjectName(QStringLiteral("Languages_ScrollArea"));
    scroller_->setFrameShape(QFrame::NoFrame);
    // The keyboard goes to the items, never to the area around them.
    scroller_->setFocusPolicy(Qt::NoFocus);
    scroller_->setWidget(list_);
    scroller_->setWidgetResizable(false);
    scroller_->viewport()->setAutoFillBackground(false);
    list_->setObjectName(QStringLiteral("Languages_List"));
    list_->setAutoFillBackground(false);

    connect(OKBtn, &QPushButton::clicked, this, &TLanguageForm::OKBtnClick);
    // The item the keyboard moves to in a long list comes into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && list_->isAncestorOf(now))
            scroller_->ensureWidgetVisible(now);
    });
}

void TLanguageForm::setVisible(bool visible)
{
    const bool showing = visible && !isVisible();
    if (showing)
        FormShow();
    QDialog::setVisible(visible);
    // Once the list has its size on screen, a chosen item far down it is
    // scrolled into view.
    if (!showing)
        return;
    const QList<QRadioButton*> items
        = radio->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    if (QRadioButton* chosen = items.value(radio->ItemIndex()))
        scroller_->ensureWidgetVisible(chosen);
}

void TLanguageForm::FormShow()
{
    // A second showing starts from an empty list again.
    qDeleteAll(prompts_);
    prompts_.clear();
    radio->Clear();
    languageCodes_.clear();
    languageLocales_.clear();

    nextTop_ = Px(FirstTop);
    widest_ = Px(LeastWidest);

    const QStringList codes = FindLanguageCodes(languageFolder_);
    if (codes.isEmpty()) {
        MessageBoxes::Show(this,
            { QApplication::applicationName(), QStringLiteral("Error opening the Language files!"),
                MessageBoxes::Icon::Warning });
    }
    for (const QString& code : codes)
        AddLanguage(code);
    const int suited
        = static_cast<int>(SuitedLanguage(languageCodes_, languageLocales_, userLocale_));
    radio->SetItemIndex(suited);
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
    languageLocales_.append(LanguageFileLocale(file.get()));

    auto* prompt = new QLabel(list_);
    prompt->setObjectName(QStringLiteral("Prompt%1_Label").arg(prompts_.size()));
    prompt->setTextFormat(Qt::PlainText);
    prompt->setText(LanguageFileText(file.get(), TextNumber::LanguagePrompt));
    radio->Add(LanguageFileText(file.get(), TextNumber::OwnLanguageName));

    prompt->adjustSize();
    prompt->move(Margin, nextTop_);
    nextTop_ += std::max(Px(LineHeight), prompt->height());
    widest_ = std::max(prompt->width(), widest_);
    prompts_.append(prompt);
}

void TLanguageForm::PlaceElements()
{
    const QSize needed = radio->sizeHint();
    const int32_t radioHeight
        = std::max(Px(RadioItemHeight * radio->Count() + RadioFrameHeight), needed.height());
    radio->setGeometry(Margin, nextTop_, std::max(Px(RadioWidth), needed.width()), radioHeight);
    widest_ = std::max(widest_, radio->width());

    const QSize list(3 * Margin + widest_, radio->y() + radio->height());
    list_->resize(list);
    // A list longer (or wider) than the screen scrolls, so that OK below it
    // stays on the screen.
    const QSize room = RoomForList();
    const int32_t barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroller_);
    bool vertical = list.height() > room.height();
    int32_t width = list.width() + (vertical ? barWidth : 0);
    const bool horizontal = width > room.width();
    const int32_t height = list.height() + (horizontal ? barWidth : 0);
    if (!vertical && height > room.height()) {
        vertical = true;
        width += barWidth;
    }
    const QSize shown(std::min(width, room.width()), std::min(height, room.height()));
    scroller_->setVerticalScrollBarPolicy(
        vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroller_->setHorizontalScrollBarPolicy(
        horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroller_->setGeometry(QRect(QPoint(0, 0), shown));

    const int32_t dialogHeight = 4 * Margin + shown.height() + OKBtn->height() + Px(ExtraHeight);
    setFixedSize(shown.width(), dialogHeight);
    OKBtn->move((shown.width() - OKBtn->width()) / 2, shown.height() + Margin);
}

QSize TLanguageForm::RoomForList() const
{
    const QScreen* desktop = parentWidget() != nullptr && parentWidget()->isVisible()
        ? parentWidget()->screen()
        : screen();
    if (desktop == nullptr)
        return { QWIDGETSIZE_MAX, QWIDGETSIZE_MAX };
    // Everything but the list: the margins, OK and the window's frame.
    const QSize available = desktop->availableGeometry().size();
    const int32_t below = 4 * Margin + OKBtn->height() + Px(ExtraHeight);
    const int32_t frame = Px(WindowFrameAllowance);
    return { std::max(available.width() - frame, OKBtn->width()),
        std::max(available.height() - frame - below, Px(RadioItemHeight)) };
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
    QWidget* owner, IniFile& settings, const QString& languageFolder, const QLocale& userLocale)
{
    TLanguageForm dialog(owner, settings, languageFolder, userLocale);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenCode();
}

std::optional<QString> ShowLanguageDialog(QWidget* owner, globalObjects& globals)
{
    return ShowLanguageDialog(owner, globals.Settings(), globals.LanguageFolder());
}
