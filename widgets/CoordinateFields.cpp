#include "widgets/CoordinateFields.h"

#include "coordinates/CoordSet2D.h"
#include "coordinates/CoordSet3D.h"
#include "expression/Parser.h"
#include "format/Formater.h"
#include "format/NumberReading.h"
#include "widgets/CoordinateField.h"
#include "widgets/MathErrorReport.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpdatingGuard.h"

#include <QLineEdit>
#include <QStringList>

namespace {

// The values of one coordinate system: three in space, two in the plane.
template <class Coordinates> constexpr int PointSize = 3;
template <> constexpr int PointSize<CoordSet2D> = 2;

} // namespace

void SetFieldSeparators(const NumberSeparators& separators)
{
    tralto::ProgramLayout().separators = separators;
}

const NumberSeparators& FieldSeparators()
{
    return tralto::ProgramLayout().separators;
}

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
    for (int index = 0; index < Count; ++index) {
        QObject::connect(fields_[index], &QLineEdit::textChanged, context,
            [this, index] { FieldChanged(index); });
        if (auto* field = qobject_cast<CoordinateField*>(fields_[index]))
            field->SetPoint([this, index](const QString& text) { return TakePoint(index, text); },
                [this, index] { return PointText(index); });
    }
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
    MathErrorReport::TextChanged();
    values_.Set(index, ReadValue(index));
    ShowValues(index, index, index);
}

template <class Coordinates> long double CoordinateFields<Coordinates>::ReadValue(int index) const
{
    const long double value
        = ReadNumberText(fields_[index]->text().toStdString(), FieldSeparators());
    return angles_[index] && InDegrees() ? DegToRad(value) : value;
}

template <class Coordinates> void CoordinateFields<Coordinates>::Rewrite(int source)
{
    UpdatingGuard guard(updating_);
    ShowValues(source, source, source);
}

template <class Coordinates>
bool CoordinateFields<Coordinates>::TakePoint(int index, const QString& text)
{
    constexpr int size = PointSize<Coordinates>;
    const auto point = SplitPointText(text.toStdString(), size, FieldSeparators());
    if (!point)
        return false;
    UpdatingGuard guard(updating_);
    MathErrorReport::TextChanged();
    // Each field keeps its value's text, as if typed there; the system is
    // converted once, from its last value, when all of them are in.
    const int first = index - index % size;
    for (int offset = 0; offset < size; ++offset) {
        fields_[first + offset]->setText(QString::fromStdString((*point)[offset]));
        values_.Set(first + offset, ReadValue(first + offset));
    }
    ShowValues(first + size - 1, first, first + size - 1);
    return true;
}

template <class Coordinates> QString CoordinateFields<Coordinates>::PointText(int index) const
{
    constexpr int size = PointSize<Coordinates>;
    const int first = index - index % size;
    QStringList texts;
    for (int shown = first; shown < first + size; ++shown)
        texts << QString::fromStdString(FormatValue(ShownValue(shown)));
    return texts.join(QLatin1Char('\t'));
}

template <class Coordinates> long double CoordinateFields<Coordinates>::ShownValue(int index) const
{
    const long double value = values_.Get(index);
    return angles_[index] && InDegrees() ? RadToDeg(value) : value;
}

template <class Coordinates>
void CoordinateFields<Coordinates>::ShowValues(int source, int first, int last)
{
    if constexpr (requires(Coordinates & values) { values.Convert(source); }) {
        if (source != NoSource)
            values_.Convert(source);
    }
    for (int index = 0; index < Count; ++index) {
        if (index >= first && index <= last)
            continue;
        fields_[index]->setText(QString::fromStdString(FormatValue(ShownValue(index))));
    }
}

template class CoordinateFields<CoordSet3D>;
template class CoordinateFields<CoordSet2D>;
