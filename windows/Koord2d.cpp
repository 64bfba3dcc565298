#include "windows/Koord2d.h"

#include "expression/Parser.h"
#include "format/Formater.h"
#include "widgets/DesignScale.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpdatingGuard.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolTip>

namespace {
constexpr int PhiIndex = 3;
}

Koord2D::Koord2D(const Elements& elements, QObject* parent)
    : QObject(parent)
    , elements_(elements)
{
    for (int index = 0; index < 4; ++index) {
        QLineEdit* edit = elements_.edits[index];
        connect(edit, &QLineEdit::textChanged, this, [this, index] { FieldChanged(index); });
        edit->setMouseTracking(true);
        edit->installEventFilter(this);
    }
    elements_.panel->installEventFilter(this);
    connect(elements_.radDegRadioGroup, &RadioGroup::Clicked, this, &Koord2D::RadDegClick);
}

AngleUnit Koord2D::Unit() const
{
    return elements_.radDegRadioGroup->ItemIndex() == DEG ? DEG : RAD;
}

void Koord2D::FieldChanged(int index)
{
    if (updating_)
        return;
    UpdatingGuard guard(updating_);
    long double value = EvaluateText(elements_.edits[index]->text().toStdString());
    if (index == PhiIndex && Unit() == DEG)
        value = DegToRad(value);
    value_.Set(index, value);
    ShowValues(index);
}

void Koord2D::ShowValues(int source)
{
    for (int index = 0; index < 4; ++index) {
        if (index == source)
            continue;
        long double value = value_.Get(index);
        if (index == PhiIndex && Unit() == DEG)
            value = RadToDeg(value);
        elements_.edits[index]->setText(QString::fromStdString(FormatValue(value)));
    }
}

void Koord2D::RadDegClick()
{
    UpdatingGuard guard(updating_);
    ShowValues(-1);
}

QString Koord2D::ExactText(int index) const
{
    // phi in radians whatever the unit, named as a multiple of pi where it is one.
    return QString::fromStdString(FormatExact(index == PhiIndex, value_.Get(index)));
}

bool Koord2D::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == elements_.panel) {
        if (event->type() == QEvent::Resize)
            PanelResize();
        return false;
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::ToolTip) {
        for (int index = 0; index < 4; ++index) {
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
    elements_.edits[1]->move(rightFieldLeft, elements_.edits[1]->y());
    elements_.edits[3]->move(rightFieldLeft, elements_.edits[3]->y());
    elements_.yLabel->move(rightLabelLeft, elements_.yLabel->y());
    elements_.phiImage->move(rightLabelLeft, elements_.phiImage->y());
}
