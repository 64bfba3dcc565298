#include "windows/Coordform2.h"

#include "widgets/CoordinateField.h"
#include "widgets/GlyphImage.h"
#include "widgets/RadioGroup.h"
#include "windows/Koord2d.h"

#include <QLabel>
#include <QLineEdit>

TFormCoord2::TFormCoord2(
    QWidget* owner, int& dimension, QObject* applicationWindow, globalObjects& globals)
    : CoordWindowShell(owner, 2, dimension, applicationWindow, globals, QSize(483, 294))
{
    auto* panel = new QWidget(this);
    fieldsPanel_ = panel;
    panel->setObjectName(QStringLiteral("Koord2D_Panel"));
    panel->setGeometry(0, 25, 483, 73);

    const auto makeEdit = [panel](const char* name, const char* symbol, QPoint place) {
        QLineEdit* edit = MakeField(panel, name, QRect(place, QSize(121, 21)));
        edit->setAccessibleName(QLatin1String(symbol));
        return edit;
    };
    Koord2D::Elements elements;
    elements.panel = panel;
    elements.xLabel = MakeLabel(panel, "Koord2D_x_Label", QStringLiteral("x"), QPoint(8, 8));
    elements.yLabel = MakeLabel(panel, "Koord2D_y_Label", QStringLiteral("y"), QPoint(176, 8));
    elements.rLabel = MakeLabel(panel, "Koord2D_r_Label", QStringLiteral("r"), QPoint(8, 48));
    phiImage_ = MakeImage(panel, "Koord2D_phi_Image", QRect(176, 48, 17, 17));
    phiImage_->setAccessibleName(QStringLiteral("phi"));
    elements.phiImage = phiImage_;
    elements.edits = { makeEdit("Koord2D_x_Edit", "x", QPoint(24, 8)),
        makeEdit("Koord2D_y_Edit", "y", QPoint(208, 8)),
        makeEdit("Koord2D_r_Edit", "r", QPoint(24, 48)),
        makeEdit("Koord2D_phi_Edit", "phi", QPoint(208, 48)) };

    elements.radDegRadioGroup = MakeUnitGroup("Koord2D_RadDeg_RadioGroup", QPoint(16, 104));
    elements.scale = Scale();

    coord2DImage_ = MakeImage(this, "Coord2D_Image", QRect(96, 104, 80, 73));
    // What the diagram shows: the point by x, y and by r, phi.
    coord2DImage_->setAccessibleName(QStringLiteral("x, y; r, phi"));

    QList<QWidget*> order { elements.radDegRadioGroup };
    for (QLineEdit* edit : elements.edits)
        order << edit;
    SetKeyboardOrderToList(order);

    koord2D_ = new Koord2D(elements, this);
    ScaleToFont();
    LoadImages();
}

void TFormCoord2::resizeEvent(QResizeEvent* event)
{
    // The fields' panel is docked to the top over the whole width too; it
    // lays its fields out when its width changes.
    CoordWindowShell::resizeEvent(event);
    fieldsPanel_->resize(width(), fieldsPanel_->height());
}

void TFormCoord2::LoadImages()
{
    phiImage_->ShowGlyph(Glyphbank(), QStringLiteral("Allg_phi"));
    coord2DImage_->ShowGlyph(GlyphbankHandle(), QStringLiteral("Coord_2D"));
}
