#pragma once

// The working part of the two-dimensional window, bound to its fields:
// field text → EvaluateText → (DegToRad for phi in DEG) → CoordSet2D::Set →
// FormatValue of x, y, Modulus and Angle (RadToDeg in DEG) into the other
// fields (the rule of CoordinateFields). Hovering a field shows the exact
// value as its tooltip.

#include "coordinates/CoordSet2D.h"
#include "widgets/CoordinateFields.h"

#include <QObject>

class QLabel;
class QWidget;
class RadioGroup;

class Koord2D : public QObject
{
    Q_OBJECT

public:
    struct Elements
    {
        QWidget* panel;
        CoordinateFields<CoordSet2D>::Fields edits; // x, y, r, phi
        QLabel* xLabel;
        QLabel* yLabel;
        QLabel* rLabel;
        QLabel* phiImage;
        RadioGroup* radDegRadioGroup;
        qreal scale = 1; // of the window's pixel layout, for a larger font
    };

    Koord2D(const Elements& elements, QObject* parent);

    static constexpr int LabelColumn = 32;
    static constexpr int Margin = 5;

    const CoordSet2D& Value() const { return fields_.Values(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PanelResize();
    QString ExactText(int index) const;

    Elements elements_;
    CoordinateFields<CoordSet2D> fields_;
};
