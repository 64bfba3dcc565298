#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "settings/Globalobjects.h"
#include "settings/IniFile.h"
#include "tests/CoordWindowSupport.h"
#include "tests/ModalDialog.h"
#include "tests/ProgramFolder.h"
#include "tests/TestMain.h"
#include "tests/localisation/LanguageFixture.h"
#include "widgets/Messageboxes.h"
#include "widgets/RadioGroup.h"
#include "windows/Languagedialog.h"

namespace {

// What the open dialog shows, read by the elements' names.
struct Shown
{
    QStringList codes;
    QStringList prompts;
    QList<QRect> promptGeometries;
    QStringList items;
    int selected = -2;
    QString radioName; // what a screen reader hears of the list
    QRect radioGeometry;
    QRect okGeometry;
    QSize size;
};

Shown Read(TLanguageForm& dialog)
{
    Shown shown;
    shown.codes = dialog.LanguageCodes();
    for (int i = 0;; ++i) {
        const auto* prompt = dialog.findChild<QLabel*>(QStringLiteral("Prompt%1_Label").arg(i));
        if (prompt == nullptr)
            break;
        shown.prompts << prompt->text();
        shown.promptGeometries << prompt->geometry();
    }
    const auto* radio = dialog.findChild<RadioGroup*>(QStringLiteral("radio"));
    for (int i = 0; radio != nullptr && i < radio->Count(); ++i)
        shown.items << radio->ItemText(i);
    shown.selected = radio != nullptr ? radio->ItemIndex() : -2;
    if (QAccessibleInterface* accessible
        = QAccessible::queryAccessibleInterface(const_cast<RadioGroup*>(radio)))
        shown.radioName = accessible->text(QAccessible::Name);
    shown.radioGeometry = radio != nullptr ? radio->geometry() : QRect();
    if (const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OKBtn")))
        shown.okGeometry = ok->geometry();
    shown.size = dialog.size();
    return shown;
}

void ClickOK(TLanguageForm& dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
}

QString StoredCode(const QString& programPath)
{
    return QString::fromStdString(
        IniFile(SettingsFilePath(programPath)).ReadString("Language", "CommonLangExt", "<none>"));
}

} // namespace

// The first-start language dialog, driven on screen: what it lists, how it
// lays itself out, and what OK and closing store in the settings file.
class LanguagedialogTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LanguageFixture> fixture_;
    std::vector<MessageBoxes::Box> boxes_;

    // Shows the dialog as the main window does, for a user of the locale (by
    // default one whose language no file is made for), and hands the open
    // dialog to `drive`; what it showed is returned.
    Shown Run(const std::function<void(TLanguageForm&)>& drive, ModalRun* run = nullptr,
        const QLocale& userLocale = QLocale::c())
    {
        Shown shown;
        globalObjects globals(fixture_->ProgramPath());
        const ModalRun result = DriveModalDialog<TLanguageForm>(
            [&] {
                ShowLanguageDialog(
                    nullptr, globals.Settings(), globals.LanguageFolder(), userLocale);
            },
            [&](TLanguageForm& dialog) {
                shown = Read(dialog);
                drive(dialog);
            });
        if (run != nullptr)
            *run = result;
        return shown;
    }

private slots:
    void init()
    {
        fixture_ = std::make_unique<LanguageFixture>();
        QVERIFY(fixture_->IsValid());
        boxes_.clear();
        MessageBoxes::SetPresenter(
            [this](QWidget*, const MessageBoxes::Box& box) { boxes_.push_back(box); });
    }
    void cleanup() { MessageBoxes::SetPresenter({}); }

    void listsEveryLanguageInItsOwnWords()
    {
        QVERIFY(fixture_->AddGermanAndEnglish());
        ModalRun run;
        const Shown shown = Run(ClickOK, &run);
        QVERIFY(run.shown);
        QVERIFY(!run.leftOpen);
        QVERIFY(boxes_.empty());

        // In the order of their codes, each prompt and name in the language
        // of its file; English chosen for a user no file is made for.
        QCOMPARE(shown.codes, QStringList({ "deu", "enu" }));
        QCOMPARE(
            shown.prompts, QStringList({ "Bitte Sprache wählen", "Please choose a language" }));
        QCOMPARE(shown.items, QStringList({ "Deutsch", "English" }));
        QCOMPARE(shown.radioName, shown.prompts.join(' '));
        QCOMPARE(shown.selected, 1);
        QCOMPARE(StoredCode(fixture_->ProgramPath()), QStringLiteral("enu"));
    }

    void leavesTheLoadedLanguageAlone()
    {
        QVERIFY(fixture_->AddGermanAndEnglish());
        globalObjects globals(fixture_->ProgramPath());
        const QTranslator* english = globals.LoadLanguage(QStringLiteral("enu"));
        QVERIFY(english != nullptr);
        DriveModalDialog<TLanguageForm>([&] { ShowLanguageDialog(nullptr, globals); }, ClickOK);
        QCOMPARE(globals.LanguageHandle(), english);
        QCOMPARE(globals.LoadedCode(), QStringLiteral("enu"));
        QCOMPARE(globals.LanguageText(551), QStringLiteral("Cartesian"));
    }

    void leavesOutWhatIsNoLanguage()
    {
        // Among the two that open: a file of foreign content, the never-listed
        // code "tds" (although it opens), an empty file and a folder.
        QVERIFY(fixture_->AddCopy(QStringLiteral("Sharedlex.deu"), QStringLiteral("deu")));
        QVERIFY(fixture_->AddBytes(QStringLiteral("Sharedlex.xyz"), "no language file"));
        QVERIFY(fixture_->AddCopy(QStringLiteral("Sharedlex.tds"), QStringLiteral("deu")));
        QVERIFY(fixture_->AddBytes(QStringLiteral("Sharedlex.nil"), QByteArray()));
        QVERIFY(fixture_->AddFolder(QStringLiteral("Sharedlex.dir")));
        QVERIFY(fixture_->AddCopy(QStringLiteral("Sharedlex.enu"), QStringLiteral("enu")));

        const Shown shown = Run([](TLanguageForm& dialog) {
            QTest::mouseClick(
                dialog.findChild<QRadioButton*>(QStringLiteral("radio_Item1")), Qt::LeftButton);
            ClickOK(dialog);
        });
        QCOMPARE(shown.codes.size(), 2);
        QCOMPARE(shown.prompts.size(), 2);
        QCOMPARE(shown.items.size(), 2);
        QCOMPARE(shown.codes, QStringList({ "deu", "enu" }));
        QCOMPARE(StoredCode(fixture_->ProgramPath()), QStringLiteral("enu"));
        QVERIFY(boxes_.empty());
    }

    void layoutOfThreeNarrowLanguages()
    {
        for (const char* code : { "aaa", "bbb", "ccc" })
            QVERIFY(fixture_->AddCopy(
                QStringLiteral("Sharedlex.") + QLatin1String(code), QStringLiteral("short")));
        const Shown shown = Run(ClickOK);

        QCOMPARE(shown.prompts.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(shown.promptGeometries[i].topLeft(), QPoint(10, 20 + 20 * i));
        QCOMPARE(shown.radioGeometry, QRect(10, 80, 129, 90));
        QCOMPARE(shown.size, QSize(159, 265));
        QCOMPARE(shown.okGeometry, QRect(42, 180, 75, 25));
    }

    void widePromptsWidenTheDialog_data()
    {
        QTest::addColumn<qreal>("fontScale");
        QTest::newRow("default font") << 1.0;
        QTest::newRow("large font") << 2.5;
    }

    void widePromptsWidenTheDialog()
    {
        // The five shipped languages: every prompt and name whole and inside
        // the dialog, the button below the list and centred, also when the
        // font needs more room than the usual 20 pixels a line.
        QFETCH(qreal, fontScale);
        const QFont previousFont = QApplication::font();
        QFont font = previousFont;
        font.setPointSizeF(previousFont.pointSizeF() * fontScale);
        QApplication::setFont(font);
        const auto restoreFont = qScopeGuard([&] { QApplication::setFont(previousFont); });

        const QDir shipped(QStringLiteral(TRALTO_LANGUAGE_DIR));
        for (const QString& name :
            shipped.entryList({ QStringLiteral("Sharedlex.*") }, QDir::Files))
            QVERIFY(QFile::copy(shipped.filePath(name), fixture_->FilePath(name)));

        QList<QSize> promptHints;
        QSize radioHint;
        int scrollBarWidth = 0;
        QRect listArea;
        const Shown shown = Run([&](TLanguageForm& dialog) {
            for (int i = 0; i < dialog.LanguageCodes().size(); ++i)
                promptHints << dialog.findChild<QLabel*>(QStringLiteral("Prompt%1_Label").arg(i))
                                   ->sizeHint();
            radioHint = dialog.findChild<RadioGroup*>(QStringLiteral("radio"))->sizeHint();
            // On a small screen a large font makes the list scroll.
            const auto* list
                = dialog.findChild<QScrollArea*>(QStringLiteral("Languages_ScrollArea"));
            listArea = list->geometry();
            const QScrollBar* bar = list->verticalScrollBar();
            scrollBarWidth = bar->isVisibleTo(&dialog) ? bar->width() : 0;
            ClickOK(dialog);
        });

        QCOMPARE(shown.prompts.size(), 5);
        QCOMPARE(shown.items.size(), 5);
        int widest = shown.radioGeometry.width();
        for (int i = 0; i < 5; ++i) {
            QVERIFY(!shown.prompts[i].isEmpty());
            QVERIFY(!shown.items[i].isEmpty());
            const QRect& prompt = shown.promptGeometries[i];
            QVERIFY(prompt.width() >= promptHints[i].width());
            QVERIFY(prompt.height() >= promptHints[i].height());
            QVERIFY(prompt.right() < shown.size.width() - 10);
            if (i > 0)
                QVERIFY(prompt.top() > shown.promptGeometries[i - 1].bottom());
            widest = std::max(widest, prompt.width());
        }
        QCOMPARE(shown.size.width(), 30 + widest + scrollBarWidth);
        QVERIFY(shown.radioGeometry.width() >= radioHint.width());
        QVERIFY(shown.radioGeometry.height() >= radioHint.height());
        QVERIFY(shown.radioGeometry.top() > shown.promptGeometries[4].bottom());
        QVERIFY(shown.okGeometry.top() > listArea.bottom());
        QVERIFY(shown.okGeometry.bottom() < shown.size.height());
        QVERIFY(std::abs(shown.okGeometry.center().x() - shown.size.width() / 2) <= 1);
        QCOMPARE(StoredCode(fixture_->ProgramPath()), shown.codes[shown.selected]);
    }

    void choosesTheLanguageOfTheLocale_data()
    {
        // The user's locale, the shipped languages in the folder, the one
        // chosen when the dialog comes up.
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("chosen");
        const QStringList all = { "deu", "enu", "esr", "ita", "ptb" };
        QTest::newRow("German") << "de_DE" << all << "deu";
        QTest::newRow("German in Austria") << "de_AT" << all << "deu";
        QTest::newRow("Italian") << "it_IT" << all << "ita";
        QTest::newRow("Portuguese in Portugal") << "pt_PT" << all << "ptb";
        QTest::newRow("French: none suits") << "fr_FR" << all << "enu";
        QTest::newRow("C locale") << "C" << all << "enu";
        QTest::newRow("German without its file")
            << "de_DE" << QStringList({ "enu", "esr" }) << "enu";
        QTest::newRow("none suits, no English")
            << "fr_FR" << QStringList({ "ita", "esr" }) << "esr";
    }

    void choosesTheLanguageOfTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, files);
        QFETCH(QString, chosen);
        const QDir shipped(QStringLiteral(TRALTO_LANGUAGE_DIR));
        for (const QString& code : files)
            QVERIFY(QFile::copy(shipped.filePath(QStringLiteral("Sharedlex.") + code),
                fixture_->FilePath(QStringLiteral("Sharedlex.") + code)));
        const Shown shown = Run(ClickOK, nullptr, QLocale(locale));
        QVERIFY(shown.selected >= 0);
        QCOMPARE(shown.codes[shown.selected], chosen);
        QCOMPARE(StoredCode(fixture_->ProgramPath()), chosen);
    }

    void longListFitsTheScreen()
    {
        // 500 languages, English last but one, and backup copies beside
        // them: the list scrolls to the chosen one, OK stays on the screen.
        const QByteArray italian = LanguageFixture::FixtureBytes(QStringLiteral("short"));
        for (int i = 0; i < 500; ++i)
            QVERIFY(
                fixture_->AddBytes(QStringLiteral("Sharedlex.") + MadeUpLanguageCode(i), italian));
        QVERIFY(fixture_->AddCopy(QStringLiteral("Sharedlex.enu"), QStringLiteral("enu")));
        QVERIFY(fixture_->AddCopy(QStringLiteral("Sharedlex.zzz"), QStringLiteral("short")));
        for (const char* backup : { "Sharedlex.enu~", "Sharedlex.enu.bak", "Sharedlex.enu.orig" })
            QVERIFY(fixture_->AddCopy(QString::fromLatin1(backup), QStringLiteral("enu")));

        QRect screen;
        QRect okOnScreen;
        bool englishInView = false;
        QStringList keyboardOrder;
        const Shown shown = Run([&](TLanguageForm& dialog) {
            screen = dialog.screen()->availableGeometry();
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"));
            okOnScreen = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
            const auto* english = dialog.findChild<QRadioButton*>(
                QStringLiteral("radio_Item%1").arg(dialog.LanguageCodes().indexOf("enu")));
            const QWidget* viewport
                = dialog.findChild<QScrollArea*>(QStringLiteral("Languages_ScrollArea"))
                      ->viewport();
            englishInView
                = QRect(QPoint(0, 0), viewport->size())
                      .contains(QRect(english->mapTo(viewport, QPoint(0, 0)), english->size()));
            // The keyboard goes from OK into the list of languages; the area
            // that scrolls is no stop of its own.
            dialog.activateWindow();
            if (QTest::qWaitForWindowActive(&dialog))
                keyboardOrder = WalkTheKeyboardOrder(2);
            ClickOK(dialog);
        });
        QCOMPARE(shown.codes.size(), 502);
        QCOMPARE(shown.codes.count(QStringLiteral("enu")), 1);
        QVERIFY(shown.size.height() <= screen.height());
        QVERIFY(screen.contains(okOnScreen));
        QVERIFY(englishInView);
        QVERIFY(keyboardOrder.value(1).startsWith(QLatin1String("radio_Item")));
        QCOMPARE(StoredCode(fixture_->ProgramPath()), QStringLiteral("enu"));
    }

    void noLanguageFiles_data()
    {
        QTest::addColumn<QString>("content");
        QTest::newRow("empty folder") << "";
        QTest::newRow("no folder") << "remove";
        QTest::newRow("only other names") << "other";
    }

    void noLanguageFiles()
    {
        QFETCH(QString, content);
        if (content == QLatin1String("remove"))
            QVERIFY(QDir(fixture_->Folder()).removeRecursively());
        if (content == QLatin1String("other")) {
            QVERIFY(fixture_->AddCopy(QStringLiteral("Language.deu"), QStringLiteral("deu")));
            QVERIFY(fixture_->AddFolder(QStringLiteral("Sharedlex.enu")));
        }
        ModalRun run;
        const Shown shown = Run(ClickOK, &run);

        QCOMPARE(boxes_.size(), size_t(1));
        QCOMPARE(boxes_[0].title, QStringLiteral("Tralto"));
        QCOMPARE(boxes_[0].text, QStringLiteral("Error opening the Language files!"));
        // The dialog still comes up, with OK free to click, and stores the
        // fallback language.
        QVERIFY(run.shown);
        QVERIFY(!run.leftOpen);
        QVERIFY(shown.items.isEmpty());
        QCOMPARE(shown.selected, -1);
        QVERIFY(!shown.okGeometry.intersects(shown.radioGeometry));
        QVERIFY(QRect(QPoint(), shown.size).contains(shown.okGeometry));
        QCOMPARE(StoredCode(fixture_->ProgramPath()), QStringLiteral("enu"));
    }

    void noValidSelectionStoresEnglish_data()
    {
        QTest::addColumn<bool>("anyFileOpens");
        QTest::newRow("no file opens") << false;
        QTest::newRow("selection cleared") << true;
    }

    void noValidSelectionStoresEnglish()
    {
        QFETCH(bool, anyFileOpens);
        if (anyFileOpens)
            QVERIFY(fixture_->AddCopy(QStringLiteral("Sharedlex.deu"), QStringLiteral("deu")));
        QVERIFY(fixture_->AddBytes(QStringLiteral("Sharedlex.xyz"), "no language file"));

        Run([](TLanguageForm& dialog) {
            dialog.findChild<RadioGroup*>(QStringLiteral("radio"))->SetItemIndex(-1);
            ClickOK(dialog);
        });
        // Files matched, so there is nothing to report.
        QVERIFY(boxes_.empty());
        QCOMPARE(StoredCode(fixture_->ProgramPath()), QStringLiteral("enu"));
    }

    void closingWithoutOKStoresNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close box") << false;
        QTest::newRow("Escape key") << true;
    }

    void closingWithoutOKStoresNothing()
    {
        QFETCH(bool, escape);
        QVERIFY(fixture_->AddGermanAndEnglish());
        ModalRun run;
        Run(
            [escape](TLanguageForm& dialog) {
                if (escape)
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                else
                    dialog.close();
            },
            &run);
        QVERIFY(run.shown);
        QVERIFY(!run.leftOpen);
        QCOMPARE(StoredCode(fixture_->ProgramPath()), QStringLiteral("<none>"));
    }

    void failedWriteKeepsTheDialogOpen()
    {
        QVERIFY(fixture_->AddGermanAndEnglish());
        // A folder where the settings file should be: every write fails.
        const QString settingsPath = SettingsFilePath(fixture_->ProgramPath());
        QVERIFY(QDir().mkdir(settingsPath));
        IniFile settings(settingsPath);

        bool openAfterOK = false;
        const ModalRun run = DriveModalDialog<TLanguageForm>(
            [&] { ShowLanguageDialog(nullptr, settings, fixture_->Folder()); },
            [&](TLanguageForm& dialog) {
                ClickOK(dialog);
                openAfterOK = dialog.isVisible();
                ClickOK(dialog);
            });
        QVERIFY(openAfterOK);
        QVERIFY(run.leftOpen);
        QCOMPARE(boxes_.size(), size_t(2));
        QCOMPARE(boxes_[0].title, QStringLiteral("Tralto"));
        QCOMPARE(boxes_[0].text,
            QStringLiteral("Unable to write to %1: Is a directory.").arg(settingsPath));
        QVERIFY(boxes_[0].icon == MessageBoxes::Icon::Stop);
    }
};

TRALTO_TEST(LanguagedialogTest);
#include "LanguagedialogTest.moc"
