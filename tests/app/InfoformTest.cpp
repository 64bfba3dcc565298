#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "app/Infoform.h"
#include "tests/ModalDialog.h"
#include "tests/TestMain.h"

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
        QCOMPARE(info.version, QStringLiteral("0.0.1"));

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
            QStringList({ QStringLiteral("Tralto"), QStringLiteral("Version 0.0.1"), info.line1,
                info.line2 }));
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

    void buttonsOpenTheAddressesAndStay()
    {
        bool openAfterButtons = false;
        bool closedByOK = false;
        const ModalRun run
            = DriveModalDialog<TFormInfo>([] { ShowInfoDialog(nullptr, TraltoProductInfo()); },
                [&](TFormInfo& dialog) {
                    Click(dialog, "WWW_Button");
                    Click(dialog, "Mail_Button");
                    Click(dialog, "WWW_Button");
                    openAfterButtons = dialog.isVisible();
                    Click(dialog, "OK_Button");
                    closedByOK = !dialog.isVisible();
                });
        QVERIFY(run.shown);
        QVERIFY(openAfterButtons);
        QVERIFY(closedByOK);
        QVERIFY(!run.leftOpen);
        const QUrl page(QStringLiteral("https://tralto.example.org/"));
        const QUrl mail(QStringLiteral("mailto:support@tralto.example.org"));
        QCOMPARE(opened_, QList<QUrl>({ page, mail, page }));
    }
};

TRALTO_TEST(InfoformTest);
#include "InfoformTest.moc"
