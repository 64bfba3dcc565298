#include "windows/Formatform.h"

#include "format/Formater.h"
#include "localisation/Languagefiles.h"
#include "localisation/TextNumbers.h"
#include "widgets/DesignScale.h"
#include "widgets/DialogFrame.h"
#include "widgets/Guard.h"
#include "widgets/IntegerConversion.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>

#include <algorithm>

namespace {

// The ranges of the fields and the layouts offered are the formatter's own.
using FormatBounds::MaximumDecimals;
using FormatBounds::MaximumExponentDigits;
using FormatBounds::MaximumPrecision;
using FormatBounds::OfferedKinds;

// The examples: π and π·10^7 as the doubles nearest to them, widened, as a
// value typed into a coordinate field would be.
constexpr long double PiExample = 3.141592653589793;
constexpr long double LargeExample = 31415926.535897933;

// The layout in pixels, at a font of 11 pixels and 13 pixels for the examples.
constexpr int DialogFontPixels = 11;
constexpr int ExampleFontPixels = 13;
constexpr int DialogWidth = 304;
constexpr int DialogHeight = 182;

std::optional<int32_t> rememberedPrecision;

// The kinds the dialog offers are 0..3; the first two take a small count of
// exponent digits, the fixed layouts a count of decimals.
bool TakesExponentDigits(int itemIndex)
{
    return itemIndex <= ffExponent;
}

} // namespace

std::optional<int32_t> RememberedPrecision()
{
    return rememberedPrecision;
}

void ForgetRememberedPrecision()
{
    rememberedPrecision.reset();
}

TFormFormat::TFormFormat(QWidget* owner, const QTranslator* language)
    : QDialog(owner)
    , language_(language)
    , Exp_Label(new QLabel(QStringLiteral("Exp_Label"), this))
    , Label3(new QLabel(QStringLiteral("Exp_Label"), this))
    , ComboBox1(new QComboBox(this))
    , Label2(new QLabel(this))
    , Precision_NumEdit(new QLineEdit(QStringLiteral("1"), this))
    , Digit_Label(new QLabel(this))
    , Digits_NumEdit(new QLineEdit(QStringLiteral("1"), this))
    , Default_Button(new QPushButton(this))
    , Cancel_Button(new QPushButton(this))
    , OK_Button(new QPushButton(this))
{
    setObjectName(QStringLiteral("FormFormat"));
    SetFixedDialogFrame(this);
    // A larger font than the design font makes the whole dialog larger.
    const qreal scale = DesignScale(font());
    SetScaledFonts(scale);
    PlaceElements(scale);
    SetUpKeyboard();
    ConnectHandlers();
    SetTexts();
    ShowCurrentSettings();
}

void TFormFormat::SetScaledFonts(qreal scale)
{
    QFont dialogFont = font();
    dialogFont.setPixelSize(Scaled(DialogFontPixels, scale));
    setFont(dialogFont);
    QFont exampleFont = dialogFont;
    exampleFont.setPixelSize(Scaled(ExampleFontPixels, scale));
    exampleFont.setBold(true);
    Exp_Label->setFont(exampleFont);
    Label3->setFont(exampleFont);
    setFixedSize(Scaled(QSize(DialogWidth, DialogHeight), scale));
}

void TFormFormat::PlaceElements(qreal scale)
{
    const struct
    {
        QWidget* element;
        const char* name;
        QRect geometry;
    } elements[] = {
        { Exp_Label, "Exp_Label", { 10, 4, 74, 16 } },
        { Label3, "Label3", { 10, 20, 74, 16 } },
        { ComboBox1, "ComboBox1", { 8, 50, 289, 21 } },
        { Label2, "Label2", { 10, 86, 103, 13 } },
        { Precision_NumEdit, "Precision_NumEdit", { 272, 80, 25, 21 } },
        { Digit_Label, "Digit_Label", { 10, 106, 203, 13 } },
        { Digits_NumEdit, "Digits_NumEdit", { 272, 104, 25, 21 } },
        { Default_Button, "Default_Button", { 8, 136, 73, 32 } },
        { Cancel_Button, "Cancel_Button", { 112, 136, 81, 31 } },
        { OK_Button, "OK_Button", { 224, 136, 73, 31 } },
    };
    for (const auto& [element, name, geometry] : elements) {
        element->setObjectName(QLatin1String(name));
        element->setGeometry(geometry);
    }
    ScaleLayout(this, scale);
}

void TFormFormat::SetUpKeyboard()
{
    // Enter clicks the focused button, or OK (see keyPressEvent).
    for (QPushButton* button : { Default_Button, Cancel_Button, OK_Button })
        button->setAutoDefault(false);

    QWidget::setTabOrder(Cancel_Button, OK_Button);
    QWidget::setTabOrder(OK_Button, ComboBox1);
    QWidget::setTabOrder(ComboBox1, Default_Button);
    QWidget::setTabOrder(Default_Button, Precision_NumEdit);
    QWidget::setTabOrder(Precision_NumEdit, Digits_NumEdit);
    Cancel_Button->setFocus();
}

void TFormFormat::ConnectHandlers()
{
    connect(ComboBox1, &QComboBox::activated, this, [this] { Run(&TFormFormat::ComboBox1Change); });
    connect(Precision_NumEdit, &QLineEdit::textChanged, this,
        [this] { Run(&TFormFormat::Precision_NumEditChange); });
    connect(Digits_NumEdit, &QLineEdit::textChanged, this,
        [this] { Run(&TFormFormat::Digits_NumEditChange); });
    connect(Default_Button, &QPushButton::clicked, this,
        [this] { Run(&TFormFormat::Default_ButtonClick); });
    connect(OK_Button, &QPushButton::clicked, this, [this] { Run(&TFormFormat::OK_ButtonClick); });
    connect(Cancel_Button, &QPushButton::clicked, this,
        [this] { Run(&TFormFormat::Cancel_ButtonClick); });
}

void TFormFormat::SetTexts()
{
    setWindowTitle(Text(TextNumber::FormatItem));
    SetLabelText(Label2, Text(TextNumber::PrecisionPrompt));
    // A screen reader names each number field by the prompt in front of it.
    Precision_NumEdit->setAccessibleName(Label2->text());
    Default_Button->setText(Text(TextNumber::DefaultsButton));
    Cancel_Button->setText(Text(TextNumber::CancelButton));
    OK_Button->setText(Text(TextNumber::OKButton));
    for (int kind = 0; kind < OfferedKinds; ++kind)
        ComboBox1->addItem(Text(TextNumber::FirstFormatKind + kind));
}

void TFormFormat::ShowCurrentSettings()
{
    // Writing the fields runs their change handlers, as a user's typing would;
    // the precision is written with two digits, so that its handler runs
    // (and remembers the precision) at the first opening.
    ComboBox1->setCurrentIndex(GetFormatKind());
    Precision_NumEdit->setText(QString::asprintf("%02d", GetPrecision()));
    Digits_NumEdit->setText(QString::asprintf("%01d", GetDigits()));
    Run(&TFormFormat::ComboBox1Change);
}

void TFormFormat::keyPressEvent(QKeyEvent* event)
{
    // Enter on a focused button clicks that button; Enter anywhere else (a
    // number field, the list of layouts) confirms the dialog as OK does.
    // Escape still cancels.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            OK_Button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormFormat::Run(void (TFormFormat::*handler)())
{
    RunGuarded(this, [this, handler] { (this->*handler)(); });
}

QString TFormFormat::Text(int32_t number) const
{
    return LanguageFileText(language_, number);
}

void TFormFormat::SetLabelText(QLabel* label, const QString& text)
{
    // The labels size themselves to their text, from their left edge. The
    // text comes from the language file and is never markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->adjustSize();
}

void TFormFormat::ComboBox1Change()
{
    SetLabelText(Digit_Label,
        Text(TakesExponentDigits(ComboBox1->currentIndex()) ? TextNumber::ExponentDigitsPrompt
                                                            : TextNumber::DecimalsPrompt));
    Digits_NumEdit->setAccessibleName(Digit_Label->text());
    UpdateExample();
}

void TFormFormat::Precision_NumEditChange()
{
    if (!rememberedPrecision)
        rememberedPrecision = std::clamp(GetPrecision(), 0, MaximumPrecision);
    const int32_t precision = StrToInt(Precision_NumEdit->text());
    // The replacement runs this handler once more, with a valid text.
    if (precision < 0 || precision > MaximumPrecision)
        Precision_NumEdit->setText(QString::number(*rememberedPrecision));
    UpdateExample();
}

void TFormFormat::Digits_NumEditChange()
{
    const int32_t digits = StrToInt(Digits_NumEdit->text());
    const int32_t maximum
        = TakesExponentDigits(ComboBox1->currentIndex()) ? MaximumExponentDigits : MaximumDecimals;
    if (digits < 0 || digits > maximum)
        Digits_NumEdit->setText(QStringLiteral("1"));
    UpdateExample();
}

void TFormFormat::Default_ButtonClick()
{
    const FormatSettings defaults;
    ComboBox1->setCurrentIndex(defaults.kind);
    {
        deferExamples_ = true;
        const auto resume = qScopeGuard([this] { deferExamples_ = false; });
        Precision_NumEdit->setText(QString::asprintf("%02d", defaults.precision));
        Digits_NumEdit->setText(QString::number(defaults.digits));
    }
    ComboBox1Change();
}

void TFormFormat::OK_ButtonClick()
{
    // Each value is stored as soon as it is read: a field that does not read
    // stops here with the values before it stored and the dialog open.
    SetFormatKind(ComboBox1->currentIndex());
    SetPrecision(StrToInt(Precision_NumEdit->text()));
    SetDigits(StrToInt(Digits_NumEdit->text()));
    accept();
}

void TFormFormat::Cancel_ButtonClick()
{
    reject();
}

void TFormFormat::UpdateExample()
{
    if (deferExamples_)
        return;
    const int32_t precision = StrToInt(Precision_NumEdit->text());
    const int32_t digits = StrToInt(Digits_NumEdit->text());
    const int itemIndex = ComboBox1->currentIndex();
    const auto kind = itemIndex >= 0 && itemIndex < OfferedKinds
        ? static_cast<TFloatFormat>(itemIndex)
        : ffGeneral;
    SetLabelText(Exp_Label, QString::fromStdString(NumberText(PiExample, kind, precision, digits)));
    SetLabelText(Label3, QString::fromStdString(NumberText(LargeExample, kind, precision, digits)));
}

void ShowFormatDialog(QWidget* owner, const QTranslator* language)
{
    // The owner may take the dialog with it while it is shown; the pointer
    // then turns null and nothing is freed twice.
    QPointer<TFormFormat> dialog = new TFormFormat(owner, language);
    const auto release = qScopeGuard([&dialog] { delete dialog.data(); });
    dialog->exec();
}
