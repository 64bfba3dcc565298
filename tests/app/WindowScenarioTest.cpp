#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/Mainform.h"
#include "format/NumberReading.h"
#include "settings/IniFile.h"
#include "tests/ModalDialog.h"
#include "tests/ProgramFolder.h"
#include "tests/TestMain.h"
#include "widgets/CoordinateFields.h"
#include "widgets/MathErrorReport.h"
#include "widgets/Messageboxes.h"
#include "windows/Languagedialog.h"

#include <memory>

namespace {

// One step of a scenario: what the user (or a screen reader) does, or what
// must hold then. Widgets are named by their object names.
enum class Do
{
    Start, // text: the settings file to start with ("" keeps the file as it is)
    StartChoosingLanguage, // first start; text: the language item checked through accessibility
    Separators, // text: decimal and thousands separator of the locale, e.g. ",."
    Focus, // target: the field clicked into (all its text selected)
    Type, // text: typed key by key into whatever has the keyboard
    Keys, // text: a key sequence ("Ctrl+V") pressed where the keyboard is
    Clipboard, // text: put on the clipboard
    CopyField, // target: its text put on the clipboard
    SwitchWithList, // number: the dimension picked in the list with the keyboard
    Toggle, // target: toggled through the accessibility interface
    ChooseInList, // text: the item of the dimension list chosen through accessibility
    Pause, // number: milliseconds without a key
    Place, // text: "left top width height" of the main window
    Quit, // Ctrl+Q; the program ends and writes its settings
    ExpectFocus, // target: where the keyboard is
    ExpectText, // target, text
    ExpectChecked, // target: a button or menu entry that is checked
    ExpectClipboard, // text
    ExpectBoxes, // text: the texts of the boxes on screen, joined by "|"
    ExpectPlace, // text: "left top width height"
    ExpectSetting, // target: "Section/Key", text: its value
};

struct Step
{
    Do action;
    QString target;
    QString text;
    int number = 0;
};

Step Act(Do action, const QString& text = QString())
{
    return { action, QString(), text };
}
Step On(Do action, const QString& target, const QString& text = QString())
{
    return { action, target, text };
}
Step Number(Do action, int number)
{
    return { action, QString(), QString(), number };
}

using Scenario = QList<Step>;

const QString English3D = QStringLiteral("[Language]\nCommonLangExt=enu\n");
const QString English2D = QStringLiteral("[Language]\nCommonLangExt=enu\n[Coord]\nDim=2\n");
const QString NumberLayout
    = QStringLiteral("[Language]\nCommonLangExt=enu\n[Formater]\nFormat=3\nPrecision=18\n"
                     "Digits=2\n");

QRect RectOf(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(' '));
    return QRect(parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt());
}

} // namespace

Q_DECLARE_METATYPE(Scenario)

// The everyday use of the real windows, offscreen, one scenario a row: where
// the keyboard is after the start and after a switch, pasting what the
// fields show and whole points, typing through a math error, a screen
// reader's changes, and what a restart remembers.
class WindowScenarioTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<TMainForm> form_;
    QStringList modalBoxes_; // boxes that took the keyboard: never wanted
    QTimer modalWatch_;

    QWidget* Find(const QString& name) const
    {
        if (QWidget* widget = form_->findChild<QWidget*>(name))
            return widget;
        return QApplication::activeModalWidget() != nullptr
            ? QApplication::activeModalWidget()->findChild<QWidget*>(name)
            : nullptr;
    }

    bool Start(const QString& settings)
    {
        if (!settings.isEmpty() && !folder_->WriteSettings(settings.toUtf8()))
            return false;
        form_ = std::make_unique<TMainForm>(folder_->ProgramPath());
        form_->show();
        form_->activateWindow();
        return QTest::qWaitForWindowActive(form_.get());
    }

    static QStringList BoxesOnScreen()
    {
        QStringList texts;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
                texts << box->text();
        }
        return texts;
    }

    static void ToggleThroughAccessibility(QObject* object)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
        QVERIFY(accessible && accessible->actionInterface());
        accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    }

    void Run(const Step& step)
    {
        QWidget* focused = QApplication::focusWidget();
        switch (step.action) {
        case Do::Start:
            QVERIFY(Start(step.text));
            break;
        case Do::StartChoosingLanguage: {
            const ModalRun run = DriveModalDialog<TLanguageForm>(
                [&] { form_ = std::make_unique<TMainForm>(folder_->ProgramPath()); },
                [&](TLanguageForm& dialog) {
                    for (QAbstractButton* item : dialog.findChildren<QAbstractButton*>()) {
                        if (item->text() == step.text)
                            ToggleThroughAccessibility(item);
                    }
                    QTest::mouseClick(dialog.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
                });
            QVERIFY(run.shown && !run.leftOpen);
            form_->show();
            break;
        }
        case Do::Separators:
            SetFieldSeparators({ step.text.left(1).toStdString(), step.text.mid(1).toStdString() });
            break;
        case Do::Focus: {
            auto* field = qobject_cast<QLineEdit*>(Find(step.target));
            QVERIFY(field);
            field->setFocus(Qt::MouseFocusReason);
            field->selectAll();
            break;
        }
        case Do::Type:
            for (const QChar key : step.text) {
                QVERIFY2(QApplication::focusWidget(), "no widget has the keyboard");
                QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
                QCoreApplication::processEvents();
            }
            break;
        case Do::Keys:
            QVERIFY(focused);
            QTest::keySequence(focused, QKeySequence(step.text));
            QCoreApplication::processEvents();
            break;
        case Do::Clipboard:
            QApplication::clipboard()->setText(step.text);
            break;
        case Do::CopyField:
            QApplication::clipboard()->setText(qobject_cast<QLineEdit*>(Find(step.target))->text());
            break;
        case Do::SwitchWithList: {
            auto* list = form_->ActiveChild()->findChild<QComboBox*>("Dim_ComboBox");
            list->setFocus(Qt::TabFocusReason);
            QTest::keyClick(list, step.number == 2 ? Qt::Key_Up : Qt::Key_Down);
            QCoreApplication::processEvents(); // the request is posted
            break;
        }
        case Do::Toggle:
            ToggleThroughAccessibility(Find(step.target));
            QCoreApplication::processEvents();
            break;
        case Do::ChooseInList: {
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(
                form_->ActiveChild()->findChild<QComboBox*>("Dim_ComboBox"));
            QAccessibleInterface* items = list->child(0);
            for (int index = 0; index < items->childCount(); ++index) {
                if (items->child(index)->text(QAccessible::Name) == step.text)
                    items->child(index)->actionInterface()->doAction(
                        QAccessibleActionInterface::toggleAction());
            }
            QCoreApplication::processEvents();
            break;
        }
        case Do::Pause:
            QTest::qWait(step.number);
            break;
        case Do::Place:
            form_->setGeometry(RectOf(step.text));
            break;
        case Do::Quit:
            QVERIFY(focused);
            QTest::keySequence(focused, QKeySequence(QStringLiteral("Ctrl+Q")));
            QVERIFY(!form_->isVisible());
            form_.reset();
            break;
        case Do::ExpectFocus:
            QVERIFY2(focused, "no widget has the keyboard");
            QCOMPARE(focused->objectName(), step.target);
            break;
        case Do::ExpectText:
            QCOMPARE(qobject_cast<QLineEdit*>(Find(step.target))->text(), step.text);
            break;
        case Do::ExpectChecked: {
            QObject* checkable = Find(step.target);
            if (checkable == nullptr)
                checkable = form_->findChild<QAction*>(step.target);
            QVERIFY2(checkable, qPrintable(step.target));
            QVERIFY2(checkable->property("checked").toBool(), qPrintable(step.target));
            break;
        }
        case Do::ExpectClipboard:
            QCOMPARE(QApplication::clipboard()->text(), step.text);
            break;
        case Do::ExpectBoxes:
            QCOMPARE(BoxesOnScreen().join(QLatin1Char('|')), step.text);
            break;
        case Do::ExpectPlace:
            QCOMPARE(form_->geometry(), RectOf(step.text));
            break;
        case Do::ExpectSetting: {
            IniFile settings(folder_->SettingsPath());
            QCOMPARE(QString::fromStdString(
                         settings.ReadString(step.target.section('/', 0, 0).toStdString(),
                             step.target.section('/', 1).toStdString(), "<missing>")),
                step.text);
            break;
        }
        }
    }

private slots:
    void initTestCase()
    {
        // As the program does, with a short pause for the test's sake.
        MathErrorReport::Install(300);
        // A modal box would swallow the keys typed after it: it is noted and
        // closed, and the scenario fails.
        connect(&modalWatch_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                modalBoxes_ << box->text();
                box->reject();
            }
        });
        modalWatch_.start(20);
    }
    void init()
    {
        folder_ = std::make_unique<ProgramFolder>();
        QVERIFY(folder_->IsValid());
        modalBoxes_.clear();
        SetFieldSeparators({});
    }
    void cleanup()
    {
        form_.reset();
        folder_.reset();
        SetFieldSeparators({});
    }

    void scenario_data()
    {
        QTest::addColumn<Scenario>("steps");
        QTest::newRow("typing right after the start lands in x")
            << Scenario { Act(Do::Start, English3D), On(Do::ExpectFocus, "Koord_Karx_Edit"),
                   Act(Do::Type, "2*sqrt 2"), On(Do::ExpectText, "Koord_Karx_Edit", "2*sqrt 2"),
                   On(Do::ExpectText, "Koord_Kugx_Edit", "2.8284"),
                   On(Do::ExpectChecked, "Koord_Rad_Deg_RadioGroup_Item0") };
        QTest::newRow("every switch ends in a field")
            << Scenario { Act(Do::Start, English2D), On(Do::ExpectFocus, "Koord2D_x_Edit"),
                   Number(Do::SwitchWithList, 3), On(Do::ExpectFocus, "Koord_Karx_Edit"),
                   Act(Do::Type, "4"), On(Do::Focus, "Koord_Kary_Edit"), Act(Do::Type, "3"),
                   Number(Do::SwitchWithList, 2), On(Do::ExpectFocus, "Koord2D_x_Edit"),
                   Act(Do::Type, " 7"), On(Do::ExpectText, "Koord2D_x_Edit", "0 7"),
                   On(Do::ExpectChecked, "Koord2D_RadDeg_RadioGroup_Item0"),
                   Number(Do::SwitchWithList, 3), On(Do::ExpectFocus, "Koord_Kary_Edit") };
        for (const auto& [locale, separators, shown] :
            { std::tuple { "en", ".,", "1,234,567.89" }, { "de", ",.", "1.234.567,89" } }) {
            QTest::addRow("a copied number pastes as itself, %s", locale)
                << Scenario { Act(Do::Separators, separators), Act(Do::Start, NumberLayout),
                       Act(Do::Type, "1234567.891"), On(Do::ExpectText, "Koord_Kugx_Edit", shown),
                       On(Do::CopyField, "Koord_Kugx_Edit"), On(Do::Focus, "Koord_Zylr_Edit"),
                       Act(Do::Keys, "Ctrl+V"), On(Do::ExpectText, "Koord_Karx_Edit", shown) };
        }
        QTest::newRow("a pasted point fills its triple, and copies back")
            << Scenario { Act(Do::Start, English3D), On(Do::Focus, "Koord_Kary_Edit"),
                   Act(Do::Clipboard, "3, 4, 12"), Act(Do::Keys, "Ctrl+V"),
                   On(Do::ExpectText, "Koord_Karx_Edit", "3"),
                   On(Do::ExpectText, "Koord_Kary_Edit", "4"),
                   On(Do::ExpectText, "Koord_Karz_Edit", "12"),
                   On(Do::ExpectText, "Koord_Kugx_Edit", "13"), On(Do::Focus, "Koord_Zylr_Edit"),
                   Act(Do::Keys, "Ctrl+Shift+C"), Act(Do::ExpectClipboard, "5\t0.9273\t12") };
        QTest::newRow("a pasted pair fills the plane")
            << Scenario { Act(Do::Start, English2D), Act(Do::Clipboard, "6;8"),
                   Act(Do::Keys, "Ctrl+V"), On(Do::ExpectText, "Koord2D_r_Edit", "10") };
        QTest::newRow("typing through a math error loses no key")
            << Scenario { Act(Do::Start, English3D), Act(Do::Type, "ln 0.5"),
                   On(Do::ExpectText, "Koord_Karx_Edit", "ln 0.5"),
                   On(Do::ExpectText, "Koord_Kugx_Edit", "0.69315"), Number(Do::Pause, 500),
                   Act(Do::ExpectBoxes, "") };
        QTest::newRow("a math error that stays is shown without the keyboard")
            << Scenario { Act(Do::Start, English3D), Act(Do::Type, "sqrt -4"),
                   Number(Do::Pause, 500), Act(Do::ExpectBoxes, "sqrt: DOMAIN error"),
                   On(Do::ExpectFocus, "Koord_Karx_Edit"), Act(Do::Keys, "Backspace"),
                   Act(Do::Keys, "Backspace"), Act(Do::Type, "4"), Act(Do::ExpectBoxes, ""),
                   On(Do::ExpectText, "Koord_Kugx_Edit", "2") };
        QTest::newRow("one report for an error met in several fields")
            << Scenario { Act(Do::Start, English3D), Act(Do::Clipboard, "sqrt -1; sqrt -4; 1"),
                   Act(Do::Keys, "Ctrl+V"), Number(Do::Pause, 500),
                   Act(Do::ExpectBoxes, "sqrt: DOMAIN error"),
                   On(Do::ExpectText, "Koord_Kary_Edit", "sqrt -4") };
        QTest::newRow("a screen reader's choices count") << Scenario { Act(Do::Start, English3D),
            On(Do::Toggle, "Koord_Rad_Deg_RadioGroup_Item1"), On(Do::Focus, "Koord_Kugx_Edit"),
            Act(Do::Type, "2"), On(Do::Focus, "Koord_Kugtheta_Edit"), Act(Do::Type, "90"),
            On(Do::ExpectText, "Koord_Karz_Edit", "1.2246E-16"), Act(Do::ChooseInList, "2"),
            On(Do::ExpectFocus, "Koord2D_x_Edit") };
        QTest::newRow("a screen reader's language")
            << Scenario { Act(Do::StartChoosingLanguage, "English"),
                   On(Do::ExpectSetting, "Language/CommonLangExt", "enu") };
        QTest::newRow("a restart remembers units, convention and place")
            << Scenario { Act(Do::Start, English3D), Act(Do::Keys, "Ctrl+D"),
                   On(Do::Toggle, "Koord_KugelZ_RadioGroup_Item1"), Act(Do::Place, "30 40 720 500"),
                   Number(Do::SwitchWithList, 2), Act(Do::Keys, "Ctrl+D"), Act(Do::Quit),
                   Act(Do::Start), On(Do::ExpectChecked, "Koord2D_RadDeg_RadioGroup_Item1"),
                   Act(Do::ExpectPlace, "30 40 720 500"), Number(Do::SwitchWithList, 3),
                   On(Do::ExpectChecked, "Koord_Rad_Deg_RadioGroup_Item1"),
                   On(Do::ExpectChecked, "Koord_KugelZ_RadioGroup_Item1"),
                   On(Do::ExpectChecked, "AngleUnit_Item") };
    }

    void scenario()
    {
        QFETCH(Scenario, steps);
        for (const Step& step : steps) {
            Run(step);
            if (QTest::currentTestFailed())
                return;
            QVERIFY2(modalBoxes_.isEmpty(),
                qPrintable(QStringLiteral("a box took the keyboard: ") + modalBoxes_.join('|')));
        }
    }
};

TRALTO_TEST(WindowScenarioTest);
#include "WindowScenarioTest.moc"
