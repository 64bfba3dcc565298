#pragma once

// The format dialog: the user picks the layout kind, the precision and the
// digits value of the number formatter and sees two examples in that layout.
//
//   field text → StrToInt → range check → NumberText → the two examples
//   OK → SetFormatKind, SetPrecision, SetDigits (the windows show the new
//   layout from the next value they write)
//
// All texts come from the language file the dialog is given; without one
// they are empty.

#include <QDialog>

#include <cstdint>
#include <optional>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTranslator;

class TFormFormat : public QDialog
{
    Q_OBJECT

public:
    // Set up from the current format settings. The language file may be null
    // and must outlive the dialog.
    TFormFormat(QWidget* owner, const QTranslator* language);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The parts of the set-up, in the order the constructor runs them.
    void SetScaledFonts(qreal scale);
    void PlaceElements(qreal scale);
    void SetUpKeyboard();
    void ConnectHandlers();
    void SetTexts();
    // Fills the fields from the current format settings and shows the examples.
    void ShowCurrentSettings();

    // Runs a handler inside the error guard: no exception leaves a slot.
    void Run(void (TFormFormat::*handler)());
    QString Text(int32_t number) const;
    void SetLabelText(QLabel* label, const QString& text);

    void ComboBox1Change();
    void Precision_NumEditChange();
    void Digits_NumEditChange();
    void Default_ButtonClick();
    void OK_ButtonClick();
    void Cancel_ButtonClick();
    void UpdateExample();

    const QTranslator* language_;

    QLabel* Exp_Label;
    QLabel* Label3;
    QComboBox* ComboBox1;
    QLabel* Label2;
    QLineEdit* Precision_NumEdit;
    QLabel* Digit_Label;
    QLineEdit* Digits_NumEdit;
    QPushButton* Default_Button;
    QPushButton* Cancel_Button;
    QPushButton* OK_Button;

    // While Default writes its values the examples wait for the end, so that
    // one field's text is never read while the other is still being reset.
    bool deferExamples_ = false;
};

// Creates the dialog with the owner and the language file, shows it modally
// and frees it, also when an exception leaves the modal loop.
void ShowFormatDialog(QWidget* owner, const QTranslator* language);

// A precision typed outside 0..18 falls back to the precision that was in
// force when the precision field first changed in this run of the program
// (kept within 0..18). Empty until then.
std::optional<int32_t> RememberedPrecision();
// Starts over as in a fresh run; for tests.
void ForgetRememberedPrecision();
