#pragma once

// The three-dimensional coordinate window. One keystroke travels:
// field text → EvaluateText → (DegToRad for an angle in DEG) → CoordSet3D::Set
// and Convert → FormatValue (RadToDeg first for an angle in DEG) → the eight
// other fields (the rule of CoordinateFields). The shell around it holds the
// dimension list, the "Datei" menu and the RAD/DEG group.

#include "coordinates/CoordSet3D.h"
#include "widgets/CoordWindowShell.h"
#include "widgets/CoordinateFields.h"

class GlyphImage;
class QLabel;
class QLineEdit;
class RadioGroup;

class TFormCoord : public CoordWindowShell
{
    Q_OBJECT

public:
    TFormCoord(QWidget* owner, int& dimension, QObject* applicationWindow, globalObjects& globals);

    // The client area at design size: the least in which the layout is whole.
    static constexpr QSize DesignSize { 597, 416 };

    // Re-reads the texts the translation registry cannot carry: the two
    // theta convention items. Keeps the chosen item, which counts as a click.
    void LanguageChanged() override;

    // RAD/DEG and the theta convention, each where it changed.
    void StoreChoices(SettingsStore& settings) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildLayout();
    void MakeHeadings();
    void MakeFields();
    void MakeImages();
    void MakeThetaConventionGroup();
    void SetTabOrder();
    void UpdateAccessibleNames();
    // "heading, detail" for a screen reader, without accelerator marks; either may be empty.
    static QString JoinedName(const QString& heading, const QString& detail);
    void FormResize();
    void LoadImages();
    void LoadSphereImage();

    void Koord_KugelZ_RadioGroupClick();

    CoordinateFields<CoordSet3D> fields_;
    int storedConvention_ = ThetaToZAxis;
    static constexpr int Margin = 5;

    CoordinateFields<CoordSet3D>::Fields edits_ {};
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
};
