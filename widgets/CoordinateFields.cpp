#include "widgets/CoordinateFields.h"

#include "coordinates/CoordSet2D.h"
#include "coordinates/CoordSet3D.h"
#include "expression/Parser.h"
#include "format/Formater.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpdatingGuard.h"

#include <QLineEdit>

template <class Coordinates>
CoordinateFields<Coordinates>::CoordinateFields(std::initializer_list<int> angles)
{
    for (const int index : angles)
        angles_.set(static_cast<size_t>(index));
}

template <class Coordinates>
void CoordinateFields<Coordinates>::Bind(
    const Fields& fields, RadioGroup* unitGroup, QObject* context)
{
    fields_ = fields;
    unitGroup_ = unitGroup;
    for (int index = 0; index < Count; ++index)
        QObject::connect(fields_[index], &QLineEdit::textChanged, context,
            [this, index] { FieldChanged(index); });
    QObject::connect(unitGroup_, &RadioGroup::Clicked, context, [this] { Rewrite(NoSource); });
}

template <class Coordinates> bool CoordinateFields<Coordinates>::InDegrees() const
{
    return unitGroup_->ItemIndex() == DEG;
}

template <class Coordinates> void CoordinateFields<Coordinates>::FieldChanged(int index)
{
    if (updating_)
        return;
    UpdatingGuard guard(updating_);
    long double value = EvaluateText(fields_[index]->text().toStdString());
    if (angles_[index] && InDegrees())
        value = DegToRad(value);
    values_.Set(index, value);
    ShowValues(index);
}

template <class Coordinates> void CoordinateFields<Coordinates>::Rewrite(int source)
{
    UpdatingGuard guard(updating_);
    ShowValues(source);
}

template <class Coordinates> void CoordinateFields<Coordinates>::ShowValues(int source)
{
    if constexpr (requires(Coordinates & values) { values.Convert(source); }) {
        if (source != NoSource)
            values_.Convert(source);
    }
    for (int index = 0; index < Count; ++index) {
        if (index == source)
            continue;
        long double value = values_.Get(index);
        if (angles_[index] && InDegrees())
            value = RadToDeg(value);
        fields_[index]->setText(QString::fromStdString(FormatValue(value)));
    }
}

template class CoordinateFields<CoordSet3D>;
template class CoordinateFields<CoordSet2D>;
