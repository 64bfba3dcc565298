#include "windows/Formatform.h"
#include "localisation/Languagefiles.h"
#include "tests/TestMain.h"
#include "tests/format/FormatTestSupport.h"
#include "widgets/Messageboxes.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <memory>
#include <vector>

namespace {

// The real dialog, shown without a modal loop, and its elements found by name.
struct FormatDialog
{
    explicit FormatDialog(const QTranslator* language, QWidget* owner = nullptr)
        : dialog(owner, language)
    {
        dialog.show();
        kind = Find<QComboBox>("ComboBox1");
        precision = Find<QLineEdit>("Precision_NumEdit");
        digits = Find<QLineEdit>("Digits_NumEdit");
        piExample = Find<QLabel>("Exp_Label");
        largeExample = Find<QLabel>("Label3");
        precisionPrompt = Find<QLabel>("Label2");
        digitsPrompt = Find<QLabel>("Digit_Label");
        defaults = Find<QPushButton>("Default_Button");
        cancel = Find<QPushButton>("Cancel_Button");
        ok = Find<QPushButton>("OK_Button");
    }

    template <class Element> Element* Find(const char* name)
    {
        auto* element = dialog.findChild<Element*>(QLatin1String(name));
        complete = complete && element != nullptr;
        return element;
    }

    QStringList Examples() const { return { piExample->text(), largeExample->text() }; }

    // Caption, prompts, buttons Cancel, OK, Default, then the kinds.
    QStringList Texts() const
    {
        QStringList texts { dialog.windowTitle(), precisionPrompt->text(), digitsPrompt->text(),
            cancel->text(), ok->text(), defaults->text() };
        for (int index = 0; index < kind->count(); ++index)
            texts << kind->itemText(index);
        return texts;
    }

    TFormFormat dialog;
    bool complete = true;
    QComboBox* kind;
    QLineEdit* precision;
    QLineEdit* digits;
    QLabel* piExample;
    QLabel* largeExample;
    QLabel* precisionPrompt;
    QLabel* digitsPrompt;
    QPushButton* defaults;
    QPushButton* cancel;
    QPushButton* ok;
};

// Replaces a field's text as a user does: select all, then type.
void Retype(QLineEdit* field, const QString& text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}

// Replaces a field's text in one change, as pasting does.
void Paste(QLineEdit* field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

// Picks a kind with the keyboard, as a user does.
void ChooseKind(QComboBox* kind, int index)
{
    QTest::keyClick(kind, Qt::Key_Home);
    for (int step = 0; step < index; ++step)
        QTest::keyClick(kind, Qt::Key_Down);
}

void Store(int kind, int precision, int digits)
{
    SetFormatKind(kind);
    SetPrecision(precision);
    SetDigits(digits);
}

QList<int> Stored()
{
    return { GetFormatKind(), GetPrecision(), GetDigits() };
}

QString NotAnInteger(const QString& text)
{
    return QLatin1Char('\'') + text + QStringLiteral("' is not a valid integer value.");
}

const QStringList DefaultExamples { "3.1416", "3.1416E7" };

} // namespace

// The format dialog driven through its elements, with message boxes recorded.
class FormatformTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTranslator> english_;
    std::unique_ptr<QTranslator> german_;
    std::vector<MessageBoxes::Box> boxes_;
    std::vector<QWidget*> boxParents_;

    QStringList Messages() const
    {
        QStringList messages;
        for (const MessageBoxes::Box& box : boxes_)
            messages << box.text;
        return messages;
    }

private slots:
    void initTestCase()
    {
        english_ = OpenLanguageFile(QStringLiteral(TRALTO_LANGUAGE_DIR), QStringLiteral("enu"));
        german_ = OpenLanguageFile(QStringLiteral(TRALTO_LANGUAGE_DIR), QStringLiteral("deu"));
        QVERIFY(english_ && german_);
    }

    void init()
    {
        RestoreFormatDefaults();
        ForgetRememberedPrecision();
        boxes_.clear();
        boxParents_.clear();
        MessageBoxes::SetPresenter([this](QWidget* parent, const MessageBoxes::Box& box) {
            boxes_.push_back(box);
            boxParents_.push_back(parent);
        });
    }
    void cleanup()
    {
        MessageBoxes::SetPresenter({});
        RestoreFormatDefaults();
        ForgetRememberedPrecision();
    }

    void opensWithCurrentSettings_data()
    {
        QTest::addColumn<QList<int>>("stored");
        // kind, precision text, digits text, digits prompt, the two examples
        QTest::addColumn<QStringList>("shown");
        const QString exponentDigits = QStringLiteral("Minimum digits in the exponent (0-4)");
        const QString decimals = QStringLiteral("Number of decimal places (0-18)");
        QTest::newRow("defaults") << QList { 0, 5,
            1 } << QStringList { "0", "05", "1", exponentDigits, "3.1416", "3.1416E7" };
        QTest::newRow("exponent, two digits") << QList { 1, 5,
            2 } << QStringList { "1", "05", "2", exponentDigits, "3.1416E+00", "3.1416E+07" };
        QTest::newRow("thousands, 18 digits") << QList { 3, 18,
            2 } << QStringList { "3", "18", "2", decimals, "3.14", "31,415,926.54" };
        QTest::newRow("fixed, ten decimals")
            << QList { 2, 12, 10 }
            << QStringList { "2", "12", "10", decimals, "3.1415926536", "31415926.5359000000" };
        // Values from a hand-edited settings file are brought into range at
        // once; the precision falls back to the nearest one the dialog offers.
        QTest::newRow("precision above 18") << QList { 0, 25, 1 }
                                            << QStringList { "0", "18", "1", exponentDigits,
                                                   "3.14159265358979312", "31415926.5358979329" };
        QTest::newRow("negative precision")
            << QList { 0, -3, 1 } << QStringList { "0", "0", "1", exponentDigits, "3.1", "3.1E7" };
        QTest::newRow("digits 7 in the general layout") << QList { 0, 5,
            7 } << QStringList { "0", "05", "1", exponentDigits, "3.1416", "3.1416E7" };
    }
    void opensWithCurrentSettings()
    {
        QFETCH(QList<int>, stored);
        QFETCH(QStringList, shown);
        Store(stored[0], stored[1], stored[2]);

        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        const QStringList actual { QString::number(form.kind->currentIndex()),
            form.precision->text(), form.digits->text(), form.digitsPrompt->text(),
            form.piExample->text(), form.largeExample->text() };
        QCOMPARE(actual, shown);
        QCOMPARE(Messages(), QStringList());
        QCOMPARE(Stored(), stored); // opening stores nothing
    }

    void textsFromLanguageFile_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("decimalsPrompt");
        QTest::newRow("English") << "enu"
                                 << QStringList { "Format", "Precision (max 18)",
                                        "Minimum digits in the exponent (0-4)", "Cancel", "OK",
                                        "Defaults", "General", "Exponential", "Fixed decimals",
                                        "Number with thousands separator" }
                                 << "Number of decimal places (0-18)";
        QTest::newRow("German") << "deu"
                                << QStringList { "Format", "Genauigkeit  (max 18)",
                                       "minimale Stellenanzahl im Exponenten (0-4)", "Abbrechen",
                                       "OK", "Standard", "Allgemein", "Exponentialdarstellung",
                                       "Feste Nachkommastellen", "Zahl mit Tausendertrennzeichen" }
                                << "Anzahl der Nachkommastellen (0-18)";
    }
    void textsFromLanguageFile()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, texts);
        QFETCH(QString, decimalsPrompt);
        FormatDialog form(code == QLatin1String("deu") ? german_.get() : english_.get());
        QVERIFY(form.complete);
        QCOMPARE(form.Texts(), texts);

        // The digits prompt follows the kind: exponent digits for the first
        // two, decimals for the fixed layouts. Each ends before its field.
        const int fieldsLeft = form.digits->geometry().left();
        QVERIFY(form.precisionPrompt->geometry().right() < fieldsLeft);
        QVERIFY(form.digitsPrompt->geometry().right() < fieldsLeft);
        ChooseKind(form.kind, 2);
        QCOMPARE(form.digitsPrompt->text(), decimalsPrompt);
        QVERIFY(form.digitsPrompt->geometry().right() < fieldsLeft);
        ChooseKind(form.kind, 1);
        QCOMPARE(form.digitsPrompt->text(), texts[2]);
    }

    void noLanguageFileGivesEmptyTexts()
    {
        FormatDialog form(nullptr);
        QVERIFY(form.complete);
        QCOMPARE(form.Texts(), QStringList(10, QString()));
        QCOMPARE(form.Examples(), DefaultExamples);
    }

    void tabOrder()
    {
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        QCOMPARE(form.dialog.focusWidget(), form.cancel);
        QList<QWidget*> order;
        QWidget* element = form.cancel;
        do {
            if (element->focusPolicy() & Qt::TabFocus)
                order << element;
            element = element->nextInFocusChain();
        } while (element != form.cancel && order.size() < 20);
        const QList<QWidget*> expected { form.cancel, form.ok, form.kind, form.defaults,
            form.precision, form.digits };
        QCOMPARE(order, expected);
    }

    void precisionRange_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("piExample");
        QTest::newRow("typed 19") << false << "19"
                                  << "5"
                                  << "3.1416";
        QTest::newRow("pasted -1") << true << "-1"
                                   << "5"
                                   << "3.1416";
        QTest::newRow("typed 18") << false << "18"
                                  << "18"
                                  << "3.14159265358979312";
        QTest::newRow("pasted hex 12") << true << "0xC"
                                       << "0xC"
                                       << "3.14159265359";
    }
    void precisionRange()
    {
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QFETCH(QString, shown);
        QFETCH(QString, piExample);
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        if (paste)
            Paste(form.precision, input);
        else
            Retype(form.precision, input);
        QCOMPARE(form.precision->text(), shown);
        QCOMPARE(form.piExample->text(), piExample);
        QCOMPARE(Messages(), QStringList());
    }

    void rememberedPrecisionIsTheFirstOne()
    {
        SetPrecision(8);
        {
            FormatDialog first(english_.get());
            QVERIFY(first.complete);
            QCOMPARE(first.precision->text(), QStringLiteral("08"));
            Retype(first.precision, QStringLiteral("12"));
            QTest::mouseClick(first.ok, Qt::LeftButton);
            QCOMPARE(GetPrecision(), 12);
        }
        FormatDialog second(english_.get());
        QVERIFY(second.complete);
        QCOMPARE(second.precision->text(), QStringLiteral("12"));
        Retype(second.precision, QStringLiteral("19"));
        QCOMPARE(second.precision->text(), QStringLiteral("8"));
    }

    void conversionError_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        QTest::newRow("empty precision") << "Precision_NumEdit"
                                         << "";
        QTest::newRow("lone minus in precision") << "Precision_NumEdit"
                                                 << "-";
        QTest::newRow("beyond 32 bits in precision") << "Precision_NumEdit"
                                                     << "5000000000";
        QTest::newRow("empty digits") << "Digits_NumEdit"
                                      << "";
        QTest::newRow("number then blank in digits") << "Digits_NumEdit"
                                                     << "2 ";
    }
    void conversionError()
    {
        QFETCH(QString, field);
        QFETCH(QString, input);
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        auto* edit = form.dialog.findChild<QLineEdit*>(field);
        Paste(edit, input);

        QCOMPARE(Messages(), QStringList { NotAnInteger(input) });
        QCOMPARE(boxes_.back().title, QStringLiteral("Tralto"));
        QVERIFY(boxes_.back().icon == MessageBoxes::Icon::Stop);
        QCOMPARE(boxParents_.back(), &form.dialog);
        // The field keeps its text and the examples their last state.
        QCOMPARE(edit->text(), input);
        QCOMPARE(form.Examples(), DefaultExamples);
    }

    void emptyPrecisionThenSeven()
    {
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        Retype(form.precision, QString());
        QTest::keyClicks(form.precision, QStringLiteral("7"));
        QCOMPARE(form.Examples(), QStringList({ "3.141593", "3.141593E7" }));
        QCOMPARE(Messages(), QStringList { NotAnInteger(QString()) });
    }

    void digitsRangeFollowsKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::newRow("general 4") << 0 << "4"
                                   << "4";
        QTest::newRow("general 5") << 0 << "5"
                                   << "1";
        QTest::newRow("exponent 5") << 1 << "5"
                                    << "1";
        QTest::newRow("fixed 5") << 2 << "5"
                                 << "5";
        QTest::newRow("fixed 18") << 2 << "18"
                                  << "18";
        QTest::newRow("fixed 19") << 2 << "19"
                                  << "1";
        QTest::newRow("thousands -1") << 3 << "-1"
                                      << "1";
    }
    void digitsRangeFollowsKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, input);
        QFETCH(QString, shown);
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        ChooseKind(form.kind, kind);
        QCOMPARE(form.kind->currentIndex(), kind);
        Paste(form.digits, input);
        QCOMPARE(form.digits->text(), shown);
        QCOMPARE(Messages(), QStringList());
    }

    void kindChangeKeepsDigits()
    {
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        ChooseKind(form.kind, 2);
        Retype(form.digits, QStringLiteral("10"));
        ChooseKind(form.kind, 1);
        QCOMPARE(form.digits->text(), QStringLiteral("10"));
        // Ten exponent digits are more than the layout pads to.
        QCOMPARE(form.Examples(), QStringList({ "3.1416E+0", "3.1416E+7" }));
    }

    void defaultButton_data()
    {
        QTest::addColumn<QString>("digitsBefore");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("valid fields") << "7" << QStringList();
        // The reset brings no second message about the field it clears.
        QTest::newRow("digits field empty") << "" << QStringList { NotAnInteger("") };
    }
    void defaultButton()
    {
        QFETCH(QString, digitsBefore);
        QFETCH(QStringList, messages);
        Store(3, 9, 2);
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        ChooseKind(form.kind, 2);
        Retype(form.precision, QStringLiteral("12"));
        Retype(form.digits, digitsBefore);

        QTest::mouseClick(form.defaults, Qt::LeftButton);
        QCOMPARE(form.kind->currentIndex(), 0);
        QCOMPARE(form.precision->text(), QStringLiteral("05"));
        QCOMPARE(form.digits->text(), QStringLiteral("1"));
        QCOMPARE(form.digitsPrompt->text(), QStringLiteral("Minimum digits in the exponent (0-4)"));
        QCOMPARE(form.Examples(), DefaultExamples);
        QCOMPARE(Messages(), messages);
        QVERIFY(form.dialog.isVisible());
        QCOMPARE(Stored(), QList<int>({ 3, 9, 2 }));
    }

    void okButton_data()
    {
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("all fields read") << "" << QList { 2, 12, 3 };
        // The kind is stored before the precision is read, the precision
        // before the digits; nothing after the failing field.
        QTest::newRow("precision empty") << "Precision_NumEdit" << QList { 2, 9, 2 };
        QTest::newRow("digits empty") << "Digits_NumEdit" << QList { 2, 12, 2 };
    }
    void okButton()
    {
        QFETCH(QString, emptied);
        QFETCH(QList<int>, stored);
        Store(0, 9, 2);
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        ChooseKind(form.kind, 2);
        Retype(form.precision, QStringLiteral("12"));
        Retype(form.digits, QStringLiteral("3"));
        if (!emptied.isEmpty())
            Retype(form.dialog.findChild<QLineEdit*>(emptied), QString());
        boxes_.clear();

        QTest::mouseClick(form.ok, Qt::LeftButton);
        QCOMPARE(Stored(), stored);
        QCOMPARE(form.dialog.isVisible(), !emptied.isEmpty());
        QCOMPARE(Messages(),
            emptied.isEmpty() ? QStringList() : QStringList { NotAnInteger(QString()) });
        if (emptied.isEmpty())
            QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
    }

    void closingStoresNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel button") << "cancel";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("window frame") << "frame";
    }
    void closingStoresNothing()
    {
        QFETCH(QString, how);
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        ChooseKind(form.kind, 3);
        Retype(form.precision, QStringLiteral("12"));
        Retype(form.digits, QStringLiteral("3"));
        if (how == QLatin1String("cancel"))
            QTest::mouseClick(form.cancel, Qt::LeftButton);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(form.digits, Qt::Key_Escape);
        else
            form.dialog.close();
        QVERIFY(!form.dialog.isVisible());
        QCOMPARE(form.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Stored(), QList<int>({ 0, 5, 1 }));
    }

    void enter_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("precision");
        QTest::addColumn<int>("result");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("in the precision field: OK")
            << "Precision_NumEdit"
            << "12" << int(QDialog::Accepted) << QList<int> { 0, 12, 1 };
        QTest::newRow("in the digits field: OK")
            << "Digits_NumEdit"
            << "12" << int(QDialog::Accepted) << QList<int> { 0, 12, 1 };
        QTest::newRow("in the list of layouts: OK")
            << "ComboBox1"
            << "12" << int(QDialog::Accepted) << QList<int> { 0, 12, 1 };
        QTest::newRow("on Cancel: Cancel")
            << "Cancel_Button"
            << "12" << int(QDialog::Rejected) << QList<int> { 0, 5, 1 };
        // A field that does not read keeps the dialog open, as OK does.
        QTest::newRow("with an empty precision: stays open") << "Digits_NumEdit"
                                                             << "" << -1 << QList<int> { 0, 5, 1 };
    }

    void enter()
    {
        QFETCH(QString, focused);
        QFETCH(QString, precision);
        QFETCH(int, result);
        QFETCH(QList<int>, stored);
        FormatDialog form(english_.get());
        QVERIFY(form.complete);
        form.dialog.show();
        Retype(form.precision, precision);
        auto* target = form.dialog.findChild<QWidget*>(focused);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(Stored(), stored);
        if (result < 0) {
            QVERIFY(form.dialog.isVisible());
            QCOMPARE(Messages().last(), NotAnInteger(QString()));
        } else {
            QCOMPARE(form.dialog.result(), result);
        }
    }

    void fieldsAreNamedByTheirPrompts()
    {
        FormatDialog form(german_.get());
        QVERIFY(form.complete);
        const auto name = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(name(form.precision), QStringLiteral("Genauigkeit  (max 18)"));
        QCOMPARE(name(form.digits), QStringLiteral("minimale Stellenanzahl im Exponenten (0-4)"));
        ChooseKind(form.kind, ffFixed);
        QCOMPARE(name(form.digits), QStringLiteral("Anzahl der Nachkommastellen (0-18)"));
    }

    void showFormatDialogRunsModallyAndFrees()
    {
        QWidget owner;
        bool acted = false;
        QTimer::singleShot(0, &owner, [&] {
            auto* dialog = owner.findChild<TFormFormat*>();
            QWidget* modal = QApplication::activeModalWidget();
            if (dialog == nullptr || modal != dialog) {
                if (modal != nullptr)
                    modal->close();
                return;
            }
            acted = true;
            Retype(dialog->findChild<QLineEdit*>(QStringLiteral("Precision_NumEdit")),
                QStringLiteral("9"));
            QTest::mouseClick(
                dialog->findChild<QPushButton*>(QStringLiteral("OK_Button")), Qt::LeftButton);
        });
        ShowFormatDialog(&owner, german_.get());
        QVERIFY(acted);
        QCOMPARE(GetPrecision(), 9);
        QVERIFY(owner.findChildren<TFormFormat*>().isEmpty());
    }
};

TRALTO_TEST(FormatformTest);
#include "FormatformTest.moc"
