#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "app/Mainform.h"
#include "localisation/QtTranslation.h"
#include "tests/CoordWindowSupport.h"
#include "tests/LanguageFileBuilder.h"
#include "tests/ModalDialog.h"
#include "tests/ProgramFolder.h"
#include "tests/TestMain.h"
#include "widgets/Messageboxes.h"
#include "widgets/RadioGroup.h"
#include "windows/Coordform.h"
#include "windows/Coordform2.h"
#include "windows/Formatform.h"
#include "windows/Infoform.h"
#include "windows/Languagedialog.h"

#include <memory>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

// The main window routing between the two coordinate windows, its menus and
// the settings it keeps.
class MainformTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder_;
    std::vector<MessageBoxes::Box> boxes_;

    std::unique_ptr<TMainForm> Start()
    {
        auto form = std::make_unique<TMainForm>(folder_->ProgramPath());
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return nullptr;
        return form;
    }
    // The program as last used in that dimension, in English.
    std::unique_ptr<TMainForm> StartEnglishIn(int dimension)
    {
        if (!folder_->WriteSettings(
                QStringLiteral("[Coord]\nDim=%1\n[Language]\nCommonLangExt=enu\n")
                    .arg(dimension)
                    .toUtf8()))
            return nullptr;
        return Start();
    }
    static QStringList MenuBarNames(TMainForm& form)
    {
        QStringList names;
        for (QAction* action : form.menuBar()->actions())
            names << action->objectName();
        return names;
    }
    static QAction* LanguageItem(TMainForm& form, const char* code)
    {
        for (QAction* item : form.LanguageItems())
            if (item->objectName() == QLatin1String("Language_Item_") + QLatin1String(code))
                return item;
        return nullptr;
    }
    static QStringList CheckedLanguages(TMainForm& form)
    {
        QStringList checked;
        for (QAction* item : form.LanguageItems())
            if (item->isChecked())
                checked << item->objectName();
        return checked;
    }
    // Spoils a language file: "missing", "cut" short, a "fifo" or a "folder"
    // in its place, or "unreadable".
    static bool Spoil(const QString& path, const QString& how)
    {
        QFile file(path);
        if (how == QLatin1String("cut"))
            return file.open(QIODevice::ReadWrite) && file.resize(file.size() / 2);
        if (how == QLatin1String("unreadable"))
            return file.setPermissions({});
        if (!file.remove())
            return false;
        if (how == QLatin1String("fifo"))
            return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        if (how == QLatin1String("folder"))
            return QDir().mkdir(path);
        return how == QLatin1String("missing");
    }
    static void ChooseDimension(QWidget& window, int item)
    {
        auto* list = window.findChild<QComboBox*>("Dim_ComboBox");
        list->setCurrentIndex(item);
        emit list->activated(item);
        QCoreApplication::processEvents(); // the request is posted
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<ProgramFolder>();
        QVERIFY(folder_->IsValid());
        boxes_.clear();
        MessageBoxes::SetPresenter(
            [this](QWidget*, const MessageBoxes::Box& box) { boxes_.push_back(box); });
    }
    void cleanup()
    {
        MessageBoxes::SetPresenter({});
        folder_.reset();
    }

    void opensThreeDimensionsByDefault()
    {
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=enu\n"));
        auto form = Start();
        QVERIFY(form);
        // The maximised window's caption joins the frame's, as in any such frame.
        QCOMPARE(form->windowTitle(), QStringLiteral("Solidus Pro - [Tralto]"));
        QVERIFY(form->Coord3DWindow());
        QVERIFY(!form->Coord2DWindow());
        QCOMPARE(form->ActiveChild(), form->Coord3DWindow());
        QVERIFY(form->Coord3DWindow()->parentWidget()->isMaximized());
        QCOMPARE(MenuBarNames(*form), QStringList({ "File_Item", "Options_Item", "About_Item" }));
        QCOMPARE(form->menuBar()->actions()[0]->text(), QStringLiteral("&File"));
        QCOMPARE(form->menuBar()->actions()[1]->text(), QStringLiteral("&Options"));
        QCOMPARE(form->menuBar()->actions()[2]->text(), QStringLiteral("&Info"));
    }

    void storedTwoOpensThePlaneFirst()
    {
        QVERIFY(folder_->WriteSettings("[Coord]\nDim=0x2\n[Language]\nCommonLangExt=deu\n"));
        auto form = Start();
        QVERIFY(form);
        QVERIFY(form->Coord2DWindow());
        QVERIFY(!form->Coord3DWindow());
        QCOMPARE(form->menuBar()->actions()[0]->text(), QStringLiteral("&Datei"));
    }

    void switchingCreatesEachWindowOnceAndKeepsValues()
    {
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=enu\n"));
        auto form = Start();
        QVERIFY(form);
        TFormCoord* space = form->Coord3DWindow();
        auto* x = space->findChild<QLineEdit*>("Koord_Karx_Edit");
        x->selectAll();
        QTest::keyClicks(x, "2*3");

        ChooseDimension(*space, 0);
        QCOMPARE(form->Dimension(), 2);
        TFormCoord2* plane = form->Coord2DWindow();
        QVERIFY(plane);
        QCOMPARE(form->ActiveChild(), plane);
        QCOMPARE(form->menuBar()->actions()[0], plane->FileMenu()->menuAction());
        QVERIFY(plane->parentWidget()->isMaximized());

        ChooseDimension(*plane, 1);
        QCOMPARE(form->Dimension(), 3);
        QCOMPARE(form->Coord3DWindow(), space);
        QCOMPARE(form->Coord2DWindow(), plane);
        QCOMPARE(form->ActiveChild(), space);
        QCOMPARE(x->text(), QStringLiteral("2*3"));
        QCOMPARE(space->findChild<QLineEdit*>("Koord_Kugx_Edit")->text(), QStringLiteral("6"));
        QCOMPARE(space->findChild<QComboBox*>("Dim_ComboBox")->currentText(), QStringLiteral("3"));
        QCOMPARE(MenuBarNames(*form), QStringList({ "File_Item", "Options_Item", "About_Item" }));
    }

    void settingsRoundTrip()
    {
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=enu\n"));
        {
            auto form = Start();
            QVERIFY(form);
            ChooseDimension(*form->Coord3DWindow(), 0);
            // "Exit" takes the orderly road: the frame closes.
            form->Coord2DWindow()->findChild<QAction*>("Exit_Item")->trigger();
            QVERIFY(!form->isVisible());
        }
        QCOMPARE(folder_->ReadSettings(),
            QByteArray("[Language]\nCommonLangExt=enu\n\n[Coord]\nDim=2\n\n"
                       "[Formater]\nFormat=0\nPrecision=5\nDigits=1\n"));
        QVERIFY(boxes_.empty());

        auto form = Start();
        QVERIFY(form);
        QVERIFY(form->Coord2DWindow());
        QVERIFY(!form->Coord3DWindow());
    }

    void firstStartAsksForTheLanguage()
    {
        std::unique_ptr<TMainForm> form;
        const ModalRun run = DriveModalDialog<TLanguageForm>(
            [&] { form = std::make_unique<TMainForm>(folder_->ProgramPath()); },
            [](TLanguageForm& dialog) {
                const int german = static_cast<int>(dialog.LanguageCodes().indexOf("deu"));
                dialog.findChild<RadioGroup*>("radio")->SetItemIndex(german);
                QTest::mouseClick(dialog.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
            });
        QVERIFY(run.shown);
        QVERIFY(!run.leftOpen);
        QCOMPARE(form->LanguageCode(), QStringLiteral("deu"));
        // The choice is on disk at once.
        QVERIFY(folder_->ReadSettings().contains("CommonLangExt=deu"));
    }

    void firstStartWithoutAChoiceFallsBackToEnglish_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("noLanguageFiles");
        QTest::newRow("no settings file") << QByteArray() << false;
        // A stored empty code names no language either: English again, not
        // a run without texts and the dialog at every start.
        QTest::newRow("empty code stored") << QByteArray("[Language]\nCommonLangExt=\n") << false;
        // The dialog says there are none; that is said once.
        QTest::newRow("no language files") << QByteArray() << true;
    }

    void firstStartWithoutAChoiceFallsBackToEnglish()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, noLanguageFiles);
        if (!settings.isEmpty())
            QVERIFY(folder_->WriteSettings(settings));
        if (noLanguageFiles)
            QVERIFY(QDir(folder_->LanguageFolder()).removeRecursively());
        {
            std::unique_ptr<TMainForm> form;
            const ModalRun run = DriveModalDialog<TLanguageForm>(
                [&] { form = std::make_unique<TMainForm>(folder_->ProgramPath()); },
                [](TLanguageForm& dialog) { dialog.reject(); });
            QVERIFY(run.shown);
            QCOMPARE(form->LanguageCode(), QStringLiteral("enu"));
            QCOMPARE(folder_->ReadSettings(), settings);
            QCOMPARE(boxes_.size(), size_t(noLanguageFiles ? 1 : 0));
        }
        const QByteArray written = folder_->ReadSettings();
        if (settings.isEmpty()) {
            QVERIFY(written.indexOf("[Coord]") < written.indexOf("[Language]"));
            QVERIFY(written.indexOf("[Language]") < written.indexOf("[Formater]"));
        }
        QVERIFY(written.contains("CommonLangExt=enu"));
    }

    void languageMenuListsOnlyLanguages()
    {
        // "tds" is never a language, and a file named "Sharedlex." names none.
        const QString shipped = folder_->LanguageFolder() + QStringLiteral("/Sharedlex.deu");
        QVERIFY(QFile::copy(shipped, folder_->LanguageFolder() + QStringLiteral("/Sharedlex.tds")));
        QVERIFY(QFile::copy(shipped, folder_->LanguageFolder() + QStringLiteral("/Sharedlex.")));
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=enu\n"));
        auto form = Start();
        QVERIFY(form);
        QStringList names;
        for (QAction* item : form->LanguageItems())
            names << item->objectName();
        names.sort();
        QCOMPARE(names,
            QStringList({ "Language_Item_deu", "Language_Item_enu", "Language_Item_esr",
                "Language_Item_ita", "Language_Item_ptb" }));
    }

    void longLanguageMenuFitsTheScreen()
    {
        // 500 more languages and backup copies of German: each language once,
        // German alone checked, and the menu within the screen.
        const QString folder = folder_->LanguageFolder() + QStringLiteral("/Sharedlex.");
        const auto write = [&folder](const QString& name, const QString& copyOf) {
            QFile source(folder + copyOf);
            QFile target(folder + name);
            return source.open(QIODevice::ReadOnly) && target.open(QIODevice::WriteOnly)
                && target.write(source.readAll()) == source.size();
        };
        for (int i = 0; i < 500; ++i)
            QVERIFY(write(MadeUpLanguageCode(i), QStringLiteral("ita")));
        for (const char* backup : { "deu~", "deu.bak", "deu.orig" })
            QVERIFY(write(QLatin1String(backup), QStringLiteral("deu")));
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=deu\n"));
        auto form = Start();
        QVERIFY(form);
        QCOMPARE(form->LanguageItems().size(), 505);
        QCOMPARE(CheckedLanguages(*form), QStringList({ "Language_Item_deu" }));

        auto* menu = form->findChild<QAction*>("OptionsLanguage_Item")->menu();
        menu->popup(form->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        // One column that scrolls, as high as the screen at most (Qt lets a
        // popup overlap the screen's edge by its frame's pixel or two).
        const QRect screen = menu->screen()->availableGeometry();
        QVERIFY(menu->height() <= screen.height() && menu->y() >= screen.top());
        QVERIFY(menu->width() < screen.width() / 2);
        menu->close();
    }

    void languageMenuSwitchesEveryText()
    {
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=enu\n"));
        auto form = Start();
        QVERIFY(form);
        QStringList names;
        QStringList checked;
        for (QAction* item : form->LanguageItems()) {
            names << item->text();
            if (item->isChecked())
                checked << item->text();
        }
        names.sort();
        QCOMPARE(names, QStringList({ "English", "German", "Italian", "Portuguese", "Spanish" }));
        QCOMPARE(checked, QStringList({ "English" }));

        auto* convention = form->Coord3DWindow()->findChild<RadioGroup*>("Koord_KugelZ_RadioGroup");
        QTest::mouseClick(convention->findChildren<QRadioButton*>()[1], Qt::LeftButton);
        QAction* italian = LanguageItem(*form, "ita");
        QVERIFY(italian);
        italian->trigger();

        QCOMPARE(form->LanguageCode(), QStringLiteral("ita"));
        QCOMPARE(italian->text(), QStringLiteral("Italiano"));
        for (QAction* item : form->LanguageItems())
            QCOMPARE(item->isChecked(), item == italian);
        QCOMPARE(form->menuBar()->actions()[0]->text(), QStringLiteral("&File"));
        QCOMPARE(form->menuBar()->actions()[1]->text(), QStringLiteral("&Opzioni"));
        QCOMPARE(form->menuBar()->actions()[2]->text(), QStringLiteral("&Info"));
        QCOMPARE(convention->ItemIndex(), 1);
        QVERIFY(convention->ItemText(1).contains(QStringLiteral("xy")));
        QVERIFY(convention->ItemText(1) != convention->ItemText(0));
        QVERIFY(form->windowTitle().startsWith(QStringLiteral("Solidus Pro")));

        // Choosing the checked language again changes nothing.
        italian->trigger();
        QCOMPARE(italian->isChecked(), true);
        QCOMPARE(form->LanguageCode(), QStringLiteral("ita"));

        // One of many: the entries form one exclusive group, which the menu
        // shows as radio items rather than check boxes.
        QActionGroup* group = italian->actionGroup();
        QVERIFY(group != nullptr);
        QVERIFY(group->isExclusive());
        QCOMPARE(group->actions(), form->LanguageItems());
    }

    void unreadableLanguageFallsBack_data()
    {
        // How the file of the stored language, German, is spoiled (and
        // English with it, in the last row), and the language shown instead.
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("englishToo");
        QTest::addColumn<QString>("shown");
        QTest::newRow("missing") << "missing" << false << "English";
        QTest::newRow("cut short") << "cut" << false << "English";
        QTest::newRow("FIFO") << "fifo" << false << "English";
        QTest::newRow("folder") << "folder" << false << "English";
        QTest::newRow("unreadable") << "unreadable" << false << "English";
        QTest::newRow("English cut short too") << "cut" << true << "Español";
    }

    void unreadableLanguageFallsBack()
    {
        QFETCH(QString, damage);
        QFETCH(bool, englishToo);
        QFETCH(QString, shown);
        if (damage == QLatin1String("unreadable") && geteuid() == 0)
            QSKIP("Run as root, which reads a file whatever its permissions say.");
        const QString german = folder_->LanguageFolder() + QStringLiteral("/Sharedlex.deu");
        QVERIFY(Spoil(german, damage));
        if (englishToo)
            QVERIFY(Spoil(folder_->LanguageFolder() + QStringLiteral("/Sharedlex.enu"), damage));
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=deu\n"));
        {
            auto form = Start();
            QVERIFY(form);
            ChooseDimension(*form->Coord3DWindow(), 0);
            ChooseDimension(*form->Coord2DWindow(), 1);

            // Menu, theta choices, the format dialog's OK and Cancel: none blank.
            auto* convention
                = form->Coord3DWindow()->findChild<RadioGroup*>("Koord_KugelZ_RadioGroup");
            QStringList texts { form->menuBar()->actions()[1]->text(), convention->ItemText(0),
                convention->ItemText(1) };
            DriveModalDialog<TFormFormat>(
                [&] { form->findChild<QAction*>("Format_Item")->trigger(); },
                [&](TFormFormat& dialog) {
                    for (const char* button : { "OK_Button", "Cancel_Button" })
                        texts << dialog.findChild<QPushButton*>(button)->text();
                    dialog.reject();
                });
            QCOMPARE(texts.size(), 5);
            QVERIFY(!texts.contains(QString()));
            QVERIFY(texts[3] != texts[4]);

            // Told once, after both windows and a dialog.
            QCOMPARE(boxes_.size(), size_t(1));
            QCOMPARE(boxes_[0].text,
                QStringLiteral("The language file \"%1\" could not be read; the texts are shown "
                               "in %2.")
                    .arg(german, shown));
            QCOMPARE(CheckedLanguages(*form),
                QStringList({ englishToo ? "Language_Item_esr" : "Language_Item_enu" }));
        }
        // The choice stays, for a start once the file is whole again.
        QVERIFY(folder_->ReadSettings().contains("CommonLangExt=deu"));
    }

    void choosingAnUnreadableLanguageKeepsTheOneShown()
    {
        QVERIFY(Spoil(folder_->LanguageFolder() + QStringLiteral("/Sharedlex.ita"), "cut"));
        auto form = StartEnglishIn(3);
        QVERIFY(form);
        LanguageItem(*form, "ita")->trigger();
        QCOMPARE(boxes_.size(), size_t(1));
        QVERIFY(boxes_[0].text.contains(QStringLiteral("Sharedlex.ita")));
        QCOMPARE(form->LanguageCode(), QStringLiteral("enu"));
        QCOMPARE(CheckedLanguages(*form), QStringList({ "Language_Item_enu" }));
        QCOMPARE(form->menuBar()->actions()[1]->text(), QStringLiteral("&Options"));

        LanguageItem(*form, "deu")->trigger();
        QCOMPARE(form->LanguageCode(), QStringLiteral("deu"));
        QCOMPARE(boxes_.size(), size_t(1));
    }

    void qtTextsFollowTheLanguage_data()
    {
        // Qt's own texts and the info dialog's after a change of language:
        // the fields' context menu, a message box's and a dialog's standard
        // buttons, a line of the info dialog.
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("German") << "deu"
                                << QStringList({ "Alles auswählen", "OK", "Abbrechen",
                                       "Rechnet Koordinaten um, während Sie tippen." });
        QTest::newRow("Spanish") << "esr"
                                 << QStringList({ "Seleccionar todo", "Aceptar", "Cancelar",
                                        "Convierte coordenadas mientras escribe." });
    }

    void qtTextsFollowTheLanguage()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, texts);
        if (!QFile::exists(QtTranslation::InstalledFolder() + QStringLiteral("/qtbase_de.qm")))
            QSKIP("Qt's translations are not installed (Debian: qt6-translations-l10n).");
        auto form = StartEnglishIn(3);
        QVERIFY(form);
        const auto shown = [&form] {
            QStringList shown;
            auto* field = form->Coord3DWindow()->findChild<QLineEdit*>("Koord_Karx_Edit");
            // "Select All" ends the standard menu of a field.
            const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
            shown << menu->actions().last()->text().section(QLatin1Char('\t'), 0, 0).remove('&');
            const QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            for (const auto button : { QDialogButtonBox::Ok, QDialogButtonBox::Cancel })
                shown << buttons.button(button)->text().remove('&');
            DriveModalDialog<TFormInfo>([&] { form->findChild<QAction*>("About_Item")->trigger(); },
                [&](TFormInfo& dialog) {
                    shown << dialog.findChild<QLabel*>("Info1_Label")->text();
                    dialog.accept();
                });
            return shown;
        };
        const QStringList english = shown();
        QCOMPARE(english,
            QStringList({ "Select All", "OK", "Cancel", "Converts coordinates as you type." }));
        LanguageItem(*form, code.toLatin1().constData())->trigger();
        QCOMPARE(shown(), texts);
        LanguageItem(*form, "enu")->trigger();
        QCOMPARE(shown(), english);
    }

    void keysLandAfterASwitchOfDimension_data()
    {
        QTest::addColumn<int>("dimension");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("keyboardOrder");
        QStringList space { "Dim_ComboBox", "Koord_KugelZ_RadioGroup_Item0",
            "Koord_Rad_Deg_RadioGroup_Item0", "Koord_Karx_Edit", "Koord_Kary_Edit",
            "Koord_Karz_Edit", "Koord_Kugx_Edit", "Koord_Kugtheta_Edit", "Koord_KugPhi_Edit",
            "Koord_Zylr_Edit", "Koord_Zylphi_Edit", "Koord_Zylz_Edit", "Dim_ComboBox" };
        QStringList plane { "Dim_ComboBox", "Koord2D_RadDeg_RadioGroup_Item0", "Koord2D_x_Edit",
            "Koord2D_y_Edit", "Koord2D_r_Edit", "Koord2D_phi_Edit", "Dim_ComboBox" };
        QTest::newRow("3 to 2 to 3") << 3 << "Koord_Kary_Edit" << space;
        QTest::newRow("2 to 3 to 2") << 2 << "Koord2D_r_Edit" << plane;
    }

    void keysLandAfterASwitchOfDimension()
    {
        // The user types into a field, switches to the other window with the
        // keyboard and back: a digit typed at once lands in that field, and
        // Tab still goes round the whole window.
        QFETCH(int, dimension);
        QFETCH(QString, field);
        QFETCH(QStringList, keyboardOrder);
        auto form = StartEnglishIn(dimension);
        QVERIFY(form);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QWidget* window = form->ActiveChild();
        auto* typedInto = window->findChild<QLineEdit*>(field);
        typedInto->setFocus(Qt::MouseFocusReason);
        typedInto->clear();
        QTest::keyClicks(typedInto, QStringLiteral("3"));

        const auto switchWithKeyboard = [](QWidget* from, Qt::Key key) {
            auto* list = from->findChild<QComboBox*>("Dim_ComboBox");
            list->setFocus(Qt::TabFocusReason);
            QTest::keyClick(list, key);
            QCoreApplication::processEvents(); // the request is posted
        };
        switchWithKeyboard(window, dimension == 3 ? Qt::Key_Up : Qt::Key_Down);
        QVERIFY(form->ActiveChild() != window);
        switchWithKeyboard(form->ActiveChild(), dimension == 3 ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(form->ActiveChild(), window);

        QCOMPARE(QApplication::focusWidget(), typedInto);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        QCOMPARE(typedInto->text(), QStringLiteral("35"));

        window->findChild<QComboBox*>("Dim_ComboBox")->setFocus(Qt::TabFocusReason);
        QCOMPARE(WalkTheKeyboardOrder(int(keyboardOrder.size())), keyboardOrder);
    }

    void frameKeepsTheLayoutWhole_data()
    {
        QTest::addColumn<int>("dimension");
        QTest::newRow("three dimensions") << 3;
        QTest::newRow("two dimensions") << 2;
    }

    void frameKeepsTheLayoutWhole()
    {
        // Made as small as the user can, the frame still holds the
        // coordinate window at its design size: fields of their designed
        // width, the diagrams clear of the theta choice.
        QFETCH(int, dimension);
        auto form = StartEnglishIn(dimension);
        QVERIFY(form);
        const QSize least = form->minimumSize();
        QVERIFY(least.width() <= 696 && least.height() <= 480);
        form->resize(300, 200);
        QCOMPARE(form->size(), least);
        QWidget* child = form->ActiveChild();
        // The window area follows the frame once the resize has gone round.
        QTRY_VERIFY(child->width() < 696);
        QVERIFY(child->width() >= 597);
        QVERIFY(child->height() >= 416);
        if (dimension == 3) {
            const auto* x = child->findChild<QLineEdit*>("Koord_Karx_Edit");
            QVERIFY(x->width() >= 81);
            QVERIFY(child->findChild<QWidget*>("Koord_Kugel_Image")->x()
                > child->findChild<QWidget*>("Koord_KugelZ_RadioGroup")->geometry().right());
        }
        // The bound holds for both windows, whichever came first.
        ChooseDimension(*child, dimension == 3 ? 0 : 1);
        QCOMPARE(form->minimumSize(), least);
    }

    void twoRunsKeepEachOthersChanges()
    {
        // Two runs on one settings file: the first chooses German and ends,
        // then the second, which switched to two dimensions, ends. Each run
        // stores what it changed and leaves what the other one changed.
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=enu\n"));
        auto first = Start();
        auto second = Start();
        QVERIFY(first && second);
        QAction* german = LanguageItem(*first, "deu");
        QVERIFY(german);
        german->trigger();
        ChooseDimension(*second->Coord3DWindow(), 0);
        QVERIFY(second->Coord2DWindow());
        first.reset();
        QCOMPARE(folder_->ReadSettings(),
            QByteArray("[Language]\nCommonLangExt=deu\n\n[Coord]\nDim=3\n\n"
                       "[Formater]\nFormat=0\nPrecision=5\nDigits=1\n"));
        second.reset();
        QCOMPARE(folder_->ReadSettings(),
            QByteArray("[Language]\nCommonLangExt=deu\n\n[Coord]\nDim=2\n\n"
                       "[Formater]\nFormat=0\nPrecision=5\nDigits=1\n"));
        QVERIFY(boxes_.empty());
    }

    void languageTextsShowAsWritten()
    {
        // Texts that look like markup (a picture from the disk, a link, bold)
        // are shown letter for letter in every element that takes them.
        std::map<QByteArray, QString> texts;
        for (const int number : { 100, 102, 103, 104, 105, 106, 500, 501, 503, 516, 517, 521, 551,
                 552, 553, 554, 555, 603, 604, 605, 606, 607, 608, 609, 610, 611, 612 })
            texts[QByteArray::number(number)]
                = QStringLiteral("<img src=\"/no/such.png\"><b>%1</b><a href=\"file:/\">x</a>")
                      .arg(number);
        const auto literal = [&texts](int number) { return texts[QByteArray::number(number)]; };
        {
            QFile file(folder_->LanguageFolder() + "/Sharedlex.mkp");
            const QByteArray bytes = LanguageFileBuilder::FileParts(texts).Bytes();
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=mkp\n"));
        auto form = Start();
        QVERIFY(form);
        // The labels that hold a language text, each with its text format.
        const auto markupLabels = [](const QWidget& window) {
            QStringList labels;
            for (const QLabel* label : window.findChildren<QLabel*>()) {
                if (label->text().contains(QLatin1Char('<')))
                    labels << label->objectName()
                            + (label->textFormat() == Qt::PlainText ? " plain" : " MARKUP");
            }
            labels.sort();
            return labels;
        };
        TFormCoord* window = form->Coord3DWindow();
        QVERIFY(window);
        QCOMPARE(window->findChild<QLabel*>("Koord_Kar_Label")->text(), literal(551));
        QCOMPARE(window->findChild<QLabel*>("Koord_Zyl_Label")->text(), literal(553));
        QCOMPARE(markupLabels(*window),
            QStringList(
                { "Koord_Kar_Label plain", "Koord_Kug_Label plain", "Koord_Zyl_Label plain" }));
        auto* convention = window->findChild<RadioGroup*>("Koord_KugelZ_RadioGroup");
        QCOMPARE(convention->ItemText(0), literal(554));
        QCOMPARE(form->findChild<QAction*>("Format_Item")->text(), literal(605));

        QStringList dialogTexts;
        QStringList dialogLabels;
        const ModalRun run = DriveModalDialog<TFormFormat>(
            [&] { form->findChild<QAction*>("Format_Item")->trigger(); },
            [&](TFormFormat& dialog) {
                dialogTexts << dialog.windowTitle() << dialog.findChild<QLabel*>("Label2")->text()
                            << dialog.findChild<QComboBox*>("ComboBox1")->itemText(0)
                            << dialog.findChild<QPushButton*>("OK_Button")->text();
                dialogLabels = markupLabels(dialog);
                dialog.reject();
            });
        QVERIFY(run.shown);
        QCOMPARE(
            dialogTexts, QStringList({ literal(605), literal(606), literal(609), literal(501) }));
        QCOMPARE(dialogLabels, QStringList({ "Digit_Label plain", "Label2 plain" }));
    }

    void menusOpenTheDialogs()
    {
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=deu\n"));
        auto form = Start();
        QVERIFY(form);
        QString formatCaption;
        ModalRun run = DriveModalDialog<TFormFormat>(
            [&] { form->findChild<QAction*>("Format_Item")->trigger(); },
            [&](TFormFormat& dialog) {
                formatCaption = dialog.windowTitle();
                dialog.reject();
            });
        QVERIFY(run.shown);
        QCOMPARE(formatCaption, QStringLiteral("Format"));

        QString infoCaption;
        run = DriveModalDialog<TFormInfo>(
            [&] { form->findChild<QAction*>("About_Item")->trigger(); },
            [&](TFormInfo& dialog) {
                infoCaption = dialog.windowTitle();
                dialog.accept();
            });
        QVERIFY(run.shown);
        QCOMPARE(infoCaption, QStringLiteral("Tralto"));
    }

    void failedWritesAreShownAndShutdownGoesOn()
    {
        QVERIFY(folder_->WriteSettings("[Language]\nCommonLangExt=enu\n"));
        auto form = Start();
        QVERIFY(form);
        // The settings file becomes a folder: every write now fails.
        QVERIFY(QFile::remove(folder_->SettingsPath()));
        QVERIFY(QDir().mkdir(folder_->SettingsPath()));
        form.reset();
        // One box for "Dim" (which ends that event, so "CommonLangExt" is not
        // tried); the number format fails for the same reason and is not
        // reported again.
        QCOMPARE(boxes_.size(), size_t(1));
        QCOMPARE(boxes_[0].text,
            QStringLiteral("Unable to write to %1: Is a directory.").arg(folder_->SettingsPath()));
        QCOMPARE(boxes_[0].title, QStringLiteral("Tralto"));
    }
};

TRALTO_TEST(MainformTest);
#include "MainformTest.moc"
