#pragma once

// What the two coordinate windows share: the strip at the top with the
// "2"/"3" list that asks the main window for the other window, the window's
// own menu "Datei" ▸ "Punkt kopieren", "Beenden" (merged into the main
// window's menu bar while the window is active), the RAD/DEG group and its
// "DEG" menu switch, the glyph library, the keyboard
// order that ends at the list, the field the keyboard returns to after a
// switch (ActiveControl), the scale of the layout for a larger font, and the
// language refresh the main window calls.
//
//   list choice → Dimension → WM_SHOWCOORDWINDOW posted → main window switches

#include "glyphs/Glyphlookup.h"

#include <QList>
#include <QWidget>

class ActiveControl;
class CoordinateField;
class GlyphImage;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class RadioGroup;
namespace tralto {
class SettingsStore;
}
using tralto::SettingsStore;
class globalObjects;

class CoordWindowShell : public QWidget
{
    Q_OBJECT

public:
    QMenu* FileMenu() const { return fileMenu_; }
    // The window's "DEG" switch for the main window's menu: checked while
    // angles are in degrees; choosing it switches the RAD/DEG group.
    QAction* AngleUnitItem() const { return angleUnitItem_; }

    // Re-reads the texts the translation registry cannot carry; the main
    // window calls it after loading another language.
    virtual void LanguageChanged();

    // Writes the window's choices that changed in this run (RAD/DEG here,
    // more in a window that has more) for the next start; the main window
    // calls it as the program ends.
    virtual void StoreChoices(SettingsStore& settings) const;

protected:
    // ownDimension is 2 or 3; dimension is the main window's, set to the
    // other one when the user picks it in the list.
    CoordWindowShell(QWidget* owner, int ownDimension, int& dimension, QObject* applicationWindow,
        globalObjects& globals, QSize size);

    globalObjects& Globals() const { return globals_; }
    // The window's pixel layout grows with its font: 1 at the design font.
    qreal Scale() const { return scale_; }
    const GlyphbankHandle& Glyphbank() const { return glyphbank_; }
    QWidget* TopStrip() const { return topStrip_; }
    QComboBox* DimensionList() const { return dimComboBox_; }

    // The RAD/DEG group at the given place, with the unit stored for this
    // window (RAD on a first start).
    RadioGroup* MakeUnitGroup(const char* name, QPoint place);

    // A choice of two kept under [Coord] key: the stored item (0 when the
    // key is missing or holds another value), and the chosen item written
    // only when it is not the stored one, so that a choice another run of
    // the program stored meanwhile stays.
    int ReadChoice(const char* key) const;
    static void StoreChoice(SettingsStore& settings, const char* key, int chosen, int stored);

    // Chains the keyboard order through the widgets given, then the list.
    // The first field among them is where the keyboard starts.
    void SetKeyboardOrderToList(QList<QWidget*> order) const;

    // Once every element is in its design place: the whole layout and the
    // window at the window's scale.
    void ScaleToFont();

    void showEvent(QShowEvent* event) override;
    // The top strip is docked to the top over the whole width.
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormShow();
    void Dim_ComboBoxChange(int index);
    void ExitProgram();
    void CopyPoint();
    void ShowMenuTexts();

    const int ownDimension_;
    int& dimension_;
    QObject* applicationWindow_;
    globalObjects& globals_;
    GlyphbankHandle glyphbank_;
    qreal scale_ = 1;

    QWidget* topStrip_ = nullptr;
    QComboBox* dimComboBox_ = nullptr;
    ActiveControl* activeControl_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* copyPointItem_ = nullptr;
    QAction* exitItem_ = nullptr;
    QAction* angleUnitItem_ = nullptr;
    RadioGroup* unitGroup_ = nullptr;
    int storedUnit_ = 0;
};

// The elements of the windows: a label sized to its text, an image place
// (drawn for the screen and the palette, GlyphImage) and a coordinate field
// showing "0", each named for the settings, the translations and the tests.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint place);
GlyphImage* MakeImage(QWidget* parent, const char* name, const QRect& geometry);
CoordinateField* MakeField(QWidget* parent, const char* name, const QRect& geometry);
