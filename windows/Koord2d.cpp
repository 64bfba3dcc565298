#include "windows/Koord2d.h"

#include "format/Formater.h"
#include "widgets/DesignScale.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

Koord2D::Koord2D(const Elements& elements, QObject* parent)
    : QObject(parent)
    , elements_(elements)
    , fields_({ CoordSet2D::Phi })
{
    fields_.Bind(elements_.edits, elements_.radDegRadioGroup, this);
    for (QLineEdit* edit : elements_.edits) {
        edit->setMouseTracking(true);
        edit->installEventFilter(this);
    }
    elements_.panel->installEventFilter(this);
}

QString Koord2D::ExactText(int index) const
{
    // phi in radians whatever the unit, named as a multiple of pi where it is one.
    return QString::fromStdString(FormatExact(index == CoordSet2D::Phi, Value().Get(index)));
}

bool Koord2D::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == elements_.panel) {
        if (event->type() == QEvent::Resize)
            PanelResize();
        return false;
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::ToolTip) {
        for (int index = 0; index < CoordSet2D::ValueCount; ++index) {
            if (watched == elements_.edits[index]) {
                elements_.edits[index]->setToolTip(ExactText(index));
                break;
            }
        }
    }
    return false;
}

void Koord2D::PanelResize()
{
    const int labelColumn = Scaled(LabelColumn, elements_.scale);
    const int margin = Scaled(Margin, elements_.scale);
    const int width = (elements_.panel->width() - 2 * (labelColumn + margin)) / 2;
    for (QLineEdit* edit : elements_.edits)
        edit->resize(width, edit->height());
    const int rightFieldLeft = width + margin + 2 * labelColumn;
    const int rightLabelLeft = width + 2 * margin + labelColumn;
    elements_.edits[CoordSet2D::Y]->move(rightFieldLeft, elements_.edits[CoordSet2D::Y]->y());
    elements_.edits[CoordSet2D::Phi]->move(rightFieldLeft, elements_.edits[CoordSet2D::Phi]->y());
    elements_.yLabel->move(rightLabelLeft, elements_.yLabel->y());
    elements_.phiImage->move(rightLabelLeft, elements_.phiImage->y());
}
