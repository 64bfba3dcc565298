#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QUrl>

#include <cmath>

#include "tests/ModalDialog.h"
#include "tests/TestMain.h"
#include "windows/Infoform.h"

namespace {

void Click(TFormInfo& dialog, const char* button)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

QString LabelText(const QWidget& dialog, const char* name)
{
    const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QStringLiteral("<missing>");
}

} // namespace

// The about box, driven on screen; the desktop's address handler is replaced
// so that no browser or mail program starts.
class InfoformTest : public QObject
{
    Q_OBJECT

    QList<QUrl> opened_;

private slots:
    void init()
    {
        opened_.clear();
        SetUrlOpener([this](const QUrl& address) { opened_ << address; });
    }
    void cleanup() { SetUrlOpener({}); }

    void showsTheProductBlock_data()
    {
        QTest::addColumn<QString>("line1");
        QTest::newRow("Tralto's own lines") << TraltoProductInfo().line1;
        QTest::newRow("a line that wraps")
            << QStringLiteral("Converts coordinates as you type, ").repeated(6);
    }

    void showsTheProductBlock()
    {
        QFETCH(QString, line1);
        ProductInfo info = TraltoProductInfo();
        info.line1 = line1;
        QCOMPARE(info.name, QStringLiteral("Tralto"));
        // The version of the project() call, never one typed out a second time.
        QCOMPARE(info.version, QStringLiteral(TRALTO_PROJECT_VERSION));

        QString caption;
        QStringList texts;
        QRect block;
        QRect panel2;
        QRect panel3;
        QList<QRect> lines;
        QSize size;
        bool headingBold = false;
        bool tooltipColoured = false;
        const ModalRun run = DriveModalDialog<TFormInfo>([&] { ShowInfoDialog(nullptr, info); },
            [&](TFormInfo& dialog) {
                caption = dialog.windowTitle();
                for (const char* name :
                    { "Product_Label", "Version_Label", "Info1_Label", "Info2_Label" }) {
                    texts << LabelText(dialog, name);
                    if (const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name)))
                        lines << label->geometry();
                }
                headingBold
                    = dialog.findChild<QLabel*>(QStringLiteral("Product_Label"))->font().bold();
                block = dialog.findChild<QWidget*>(QStringLiteral("Product_Block"))->geometry();
                panel2 = dialog.findChild<QWidget*>(QStringLiteral("Panel2"))->geometry();
                panel3 = dialog.findChild<QWidget*>(QStringLiteral("Panel3"))->geometry();
                size = dialog.size();
                tooltipColoured = dialog.autoFillBackground()
                    && dialog.palette().color(QPalette::Window)
                        == QApplication::palette().color(QPalette::ToolTipBase);
                Click(dialog, "OK_Button");
            });
        QVERIFY(run.shown);
        QVERIFY(!run.leftOpen);

        QCOMPARE(caption, QStringLiteral("Tralto"));
        QCOMPARE(texts,
            QStringList({ QStringLiteral("Tralto"),
                QStringLiteral("Version " TRALTO_PROJECT_VERSION), info.line1, info.line2 }));
        QVERIFY(headingBold);
        QVERIFY(tooltipColoured);

        // The block fills the panel; the strip of 41 below it ends the box:
        // the buttons as far from its bottom edge as from the block. (A
        // window manager adds its title bar, some 28 more, around that.)
        QCOMPARE(block.width(), 485);
        QCOMPARE(size.width(), block.width());
        QCOMPARE(panel2, QRect(0, 0, block.width(), block.height()));
        QCOMPARE(panel3, QRect(0, block.height(), block.width(), 41));
        QCOMPARE(size.height(), block.height() + 41);
        // The lines one below the other, all inside the block.
        QCOMPARE(lines.size(), 4);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QVERIFY(QRect(0, 0, block.width(), block.height()).contains(lines[i]));
            if (i > 0)
                QVERIFY(lines[i].top() > lines[i - 1].bottom());
        }
        QCOMPARE(lines[1].topLeft(), QPoint(24, 40));
        QCOMPARE(opened_, QList<QUrl>());
    }

    void readableOnEveryPalette_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("tooltipColours");
        QTest::newRow("the desktop's own") << QApplication::palette() << true;
        // The dark palette often given to Fusion: white tooltip text on a
        // white tooltip base.
        QPalette whiteOnWhite(QColor(53, 53, 53), QColor(35, 35, 35));
        whiteOnWhite.setColor(QPalette::WindowText, Qt::white);
        whiteOnWhite.setColor(QPalette::Text, Qt::white);
        whiteOnWhite.setColor(QPalette::Base, QColor(25, 25, 25));
        whiteOnWhite.setColor(QPalette::ToolTipBase, Qt::white);
        whiteOnWhite.setColor(QPalette::ToolTipText, Qt::white);
        QTest::newRow("dark, white tooltips") << whiteOnWhite << false;
        QPalette darkTips = whiteOnWhite;
        darkTips.setColor(QPalette::ToolTipBase, QColor(60, 60, 40));
        darkTips.setColor(QPalette::ToolTipText, QColor(240, 240, 220));
        QTest::newRow("dark tooltips") << darkTips << true;
    }

    void readableOnEveryPalette()
    {
        QFETCH(QPalette, palette);
        QFETCH(bool, tooltipColours);
        const QPalette previous = QApplication::palette();
        QApplication::setPalette(palette);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(previous); });
        TFormInfo dialog(nullptr, TraltoProductInfo());
        const QColor background = dialog.palette().color(QPalette::Window);
        const QColor text = dialog.findChild<QLabel*>(QStringLiteral("Version_Label"))
                                ->palette()
                                .color(QPalette::WindowText);
        // Luminance contrast of at least 4.5 to 1, as for body text.
        const auto luminance = [](const QColor& colour) {
            const auto linear = [](qreal c) {
                return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
                + 0.0722 * linear(colour.blueF());
        };
        const qreal lighter = std::max(luminance(background), luminance(text));
        const qreal darker = std::min(luminance(background), luminance(text));
        QVERIFY((lighter + 0.05) / (darker + 0.05) >= 4.5);
        QCOMPARE(background == palette.color(QPalette::ToolTipBase), tooltipColours);
    }

    void buttonsOpenTheAddressesAndStay_data()
    {
        // The addresses handed over; a button is shown only with its own.
        QTest::addColumn<QUrl>("page");
        QTest::addColumn<QUrl>("mail");
        const QUrl page(QStringLiteral("https://example.net/tralto"));
        const QUrl mail(QStringLiteral("mailto:tralto@example.net"));
        QTest::newRow("both") << page << mail;
        QTest::newRow("web page only") << page << QUrl();
        QTest::newRow("none") << QUrl() << QUrl();
    }

    void buttonsOpenTheAddressesAndStay()
    {
        QFETCH(QUrl, page);
        QFETCH(QUrl, mail);
        ProductInfo info = TraltoProductInfo();
        info.webPage = page;
        info.mailAddress = mail;
        bool pageShown = false;
        bool mailShown = false;
        bool openAfterButtons = false;
        bool closedByOK = false;
        const ModalRun run = DriveModalDialog<TFormInfo>([&] { ShowInfoDialog(nullptr, info); },
            [&](TFormInfo& dialog) {
                pageShown = dialog.findChild<QPushButton*>("WWW_Button")->isVisible();
                mailShown = dialog.findChild<QPushButton*>("Mail_Button")->isVisible();
                for (const char* button : { "WWW_Button", "Mail_Button", "WWW_Button" }) {
                    if (dialog.findChild<QPushButton*>(button)->isVisible())
                        Click(dialog, button);
                }
                openAfterButtons = dialog.isVisible();
                Click(dialog, "OK_Button");
                closedByOK = !dialog.isVisible();
            });
        QVERIFY(run.shown);
        QVERIFY(openAfterButtons);
        QVERIFY(closedByOK);
        QVERIFY(!run.leftOpen);
        QCOMPARE(pageShown, !page.isEmpty());
        QCOMPARE(mailShown, !mail.isEmpty());
        QList<QUrl> expected { page, mail, page };
        expected.removeAll(QUrl());
        QCOMPARE(opened_, expected);
    }
};

TRALTO_TEST(InfoformTest);
#include "InfoformTest.moc"
