#pragma once

// The three-dimensional coordinate window. One keystroke travels:
// field text → EvaluateText → (DegToRad for an angle in DEG) → CoordSet3D::Set
// and Convert → FormatValue (RadToDeg first for an angle in DEG) → the eight
// other fields. The Updating flag keeps the window's own writes from
// starting a second recomputation.

#include "coordinates/CoordSet3D.h"
#include "glyphs/Glyphlookup.h"

#include <QWidget>

#include <array>
#include <string>

class QAction;
class GlyphImage;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class RadioGroup;
class globalObjects;

class TFormCoord : public QWidget
{
    Q_OBJECT

public:
    TFormCoord(QWidget* owner, int& dimension, QObject* applicationWindow, globalObjects& globals);

    // Re-reads the texts the translation registry cannot carry: the two
    // theta convention items. Keeps the chosen item, which counts as a click.
    void LanguageChanged();

    // The window's own menu ("Datei" ▸ "Beenden"), merged into the main
    // window's menu bar while this window is active.
    QMenu* FileMenu() const { return fileMenu_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void SetTabOrder();
    void UpdateAccessibleNames();
    void FormCreate();
    void FormResize();
    void FormShow();
    void LoadImages();
    void LoadSphereImage();

    void FieldChanged(int index);
    long double ReadAngle(const std::string& text) const;
    QString ShowAngle(long double radians) const;
    void ShowValues(int source);

    void Koord_Rad_Deg_RadioGroupClick();
    void Koord_KugelZ_RadioGroupClick();
    void Dim_ComboBoxChange(int index);

    AngleUnit Unit() const;
    void ExitProgram();

    CoordSet3D coordinates_;
    bool updating_ = false;
    static constexpr int Margin = 5;
    // The window's pixel layout grows with its font (1 at the design font).
    qreal scale_ = 1;
    int& dimension_;
    QObject* applicationWindow_;
    globalObjects& globals_;
    GlyphbankHandle glyphbank_;

    QWidget* panel1_ = nullptr;
    QComboBox* dimComboBox_ = nullptr;
    std::array<QLineEdit*, 9> edits_ {};
    RadioGroup* kugelZRadioGroup_ = nullptr;
    RadioGroup* radDegRadioGroup_ = nullptr;
    QLabel* kartesianLabel_ = nullptr;
    QLabel* sphericalLabel_ = nullptr;
    QLabel* cylindricalLabel_ = nullptr;
    GlyphImage* sphericalThetaImage_ = nullptr;
    GlyphImage* sphericalPhiImage_ = nullptr;
    GlyphImage* cylindricalPhiImage_ = nullptr;
    GlyphImage* sphereImage_ = nullptr;
    GlyphImage* cylinderImage_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* exitItem_ = nullptr;
};
