#include "windows/Infoform.h"

#include "widgets/DesignScale.h"
#include "widgets/DialogFrame.h"
#include "windows/ProductAddresses.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

// The product block: 485 pixels wide, the heading at 16, 8 over 465 pixels,
// the three lines at left 24 from top 40, 16 apart. Text taller than that
// (a large font, a wrapped line) pushes what follows down.
constexpr int BlockWidth = 485;
constexpr int BlockBottomMargin = 16;
constexpr int HeadingLeft = 16;
constexpr int HeadingTop = 8;
constexpr int HeadingWidth = 465;
constexpr int HeadingHeight = 20;
constexpr int HeadingGap = 12;
constexpr int LineLeft = 24;
constexpr int FirstLineTop = 40;
constexpr int LineStep = 16;

// The button strip below the block: the buttons 8 from its top and 8 from
// the dialog's bottom edge.
constexpr int StripHeight = 41;

// The heading's size relative to the dialog's font, 16 pixels to 11.
constexpr qreal HeadingScale = 16.0 / 11.0;

UrlOpener& CurrentOpener()
{
    static UrlOpener opener;
    return opener;
}

void OpenUrl(const QUrl& address)
{
    if (CurrentOpener()) {
        CurrentOpener()(address);
        return;
    }
    // No browser or mail program is no reason to bother the user.
    QDesktopServices::openUrl(address);
}

// Contrast of two colours as the ratio of their relative luminances (1 to 21).
qreal Contrast(const QColor& one, const QColor& other)
{
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](qreal channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
            + 0.0722 * linear(colour.blueF());
    };
    const qreal a = luminance(one);
    const qreal b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QLabel* AddLine(
    QWidget* block, const QString& name, const QString& text, int left, int top, int width)
{
    auto* label = new QLabel(block);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(text);
    label->setGeometry(left, top, width, label->heightForWidth(width));
    return label;
}

} // namespace

std::pair<QColor, QColor> InfoColours(const QPalette& palette)
{
    // Tooltip colours, unless a theme made them unreadable (a dark palette
    // often sets a light tooltip text on a light tooltip base); then the
    // colours of the window, or of an input field, whichever reads.
    constexpr qreal Readable = 4.5;
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> choices[] = {
        { QPalette::ToolTipBase, QPalette::ToolTipText },
        { QPalette::Window, QPalette::WindowText },
        { QPalette::Base, QPalette::Text },
    };
    for (const auto& [background, text] : choices) {
        if (Contrast(palette.color(background), palette.color(text)) >= Readable)
            return { palette.color(background), palette.color(text) };
    }
    return { Qt::white, Qt::black };
}

ProductInfo TraltoProductInfo()
{
    ProductInfo info;
    info.name = QStringLiteral("Tralto");
    info.version = QStringLiteral(TRALTO_VERSION);
    info.line1 = QStringLiteral("Converts coordinates as you type.");
    info.line2 = QStringLiteral("Cartesian, spherical, cylindrical and polar coordinates.");
    const QString page = QStringLiteral(TRALTO_PRODUCT_PAGE);
    const QString mail = QStringLiteral(TRALTO_CONTACT_MAIL);
    if (!page.isEmpty())
        info.webPage = QUrl(page);
    if (!mail.isEmpty())
        info.mailAddress = QUrl(QStringLiteral("mailto:") + mail);
    return info;
}

void SetUrlOpener(UrlOpener opener)
{
    CurrentOpener() = std::move(opener);
}

TFormInfo::TFormInfo(QWidget* owner, const ProductInfo& info)
    : QDialog(owner)
    , info_(info)
    , Panel2(new QWidget(this))
    , Panel3(new QWidget(this))
    , OK_Button(new QPushButton(QStringLiteral("OK"), Panel3))
    , Mail_Button(new QPushButton(QStringLiteral("Mail"), Panel3))
    , WWW_Button(new QPushButton(QStringLiteral("www"), Panel3))
{
    setObjectName(QStringLiteral("FormInfo"));
    SetFixedDialogFrame(this);
    scale_ = DesignScale(font());

    // The whole box, panels included, on the tooltip colour; the buttons keep
    // their own.
    QPalette colours = palette();
    const auto [background, text] = InfoColours(colours);
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    setPalette(colours);
    setAutoFillBackground(true);

    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel3->setObjectName(QStringLiteral("Panel3"));

    // Created in tab order: OK first, so it has the focus.
    OK_Button->setObjectName(QStringLiteral("OK_Button"));
    OK_Button->setGeometry(Px(347), Px(9), Px(118), Px(24));
    OK_Button->setDefault(true);
    Mail_Button->setObjectName(QStringLiteral("Mail_Button"));
    Mail_Button->setGeometry(Px(16), Px(8), Px(121), Px(25));
    WWW_Button->setObjectName(QStringLiteral("WWW_Button"));
    WWW_Button->setGeometry(Px(184), Px(8), Px(121), Px(25));

    // A button without an address is left out; the others keep their places.
    Mail_Button->setVisible(info_.mailAddress.isValid());
    WWW_Button->setVisible(info_.webPage.isValid());

    connect(OK_Button, &QPushButton::clicked, this, &TFormInfo::accept);
    connect(Mail_Button, &QPushButton::clicked, this, &TFormInfo::Mail_ButtonClick);
    connect(WWW_Button, &QPushButton::clicked, this, &TFormInfo::WWW_ButtonClick);

    // The block's height depends on the font and the texts: the panels and
    // the dialog take their sizes from it.
    FormCreate();
}

void TFormInfo::FormCreate()
{
    const QWidget* block = BuildProductBlock(Panel2);
    Panel2->setGeometry(0, 0, block->width(), block->height());
    Panel3->setGeometry(0, Panel2->height(), block->width(), Px(StripHeight));

    setWindowTitle(info_.name);
    setFixedSize(block->width(), Panel2->height() + Panel3->height());

    // Centred on the desktop the owner is on.
    const QScreen* desktop
        = parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (desktop != nullptr)
        move(desktop->availableGeometry().center() - rect().center());
}

int TFormInfo::Px(int designPixels) const
{
    return Scaled(designPixels, scale_);
}

QWidget* TFormInfo::BuildProductBlock(QWidget* parent) const
{
    auto* block = new QWidget(parent);
    block->setObjectName(QStringLiteral("Product_Block"));

    auto* heading = new QLabel(block);
    heading->setObjectName(QStringLiteral("Product_Label"));
    QFont headingFont = font();
    headingFont.setBold(true);
    if (headingFont.pointSizeF() > 0)
        headingFont.setPointSizeF(headingFont.pointSizeF() * HeadingScale);
    else
        headingFont.setPixelSize(qRound(headingFont.pixelSize() * HeadingScale));
    heading->setFont(headingFont);
    heading->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    heading->setText(info_.name);
    heading->setGeometry(Px(HeadingLeft), Px(HeadingTop), Px(HeadingWidth),
        std::max(Px(HeadingHeight), heading->heightForWidth(Px(HeadingWidth))));

    const int lineWidth = Px(BlockWidth) - Px(LineLeft) - Px(HeadingLeft);
    int top = std::max(Px(FirstLineTop), heading->y() + heading->height() + Px(HeadingGap));
    const std::pair<QString, QString> lines[] = {
        { QStringLiteral("Version_Label"),
            info_.versionCaption + QLatin1Char(' ') + info_.version },
        { QStringLiteral("Info1_Label"), info_.line1 },
        { QStringLiteral("Info2_Label"), info_.line2 },
    };
    int bottom = top;
    for (const auto& [name, text] : lines) {
        const QLabel* line = AddLine(block, name, text, Px(LineLeft), top, lineWidth);
        bottom = top + line->height();
        top += std::max(Px(LineStep), line->height());
    }
    block->setGeometry(0, 0, Px(BlockWidth), bottom + Px(BlockBottomMargin));
    return block;
}

void TFormInfo::WWW_ButtonClick()
{
    OpenUrl(info_.webPage);
}

void TFormInfo::Mail_ButtonClick()
{
    OpenUrl(info_.mailAddress);
}

void ShowInfoDialog(QWidget* owner, const ProductInfo& info)
{
    TFormInfo dialog(owner, info);
    dialog.exec();
}
