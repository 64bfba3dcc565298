#pragma once

// The rule of a coordinate window's fields, one for the plane and for space:
//
//   field text → ReadNumberText (the locale's numbers, then EvaluateText)
//   → DegToRad for an angle in DEG → Set → Convert
//   → FormatValue (RadToDeg first for an angle in DEG) → the other fields
//
// A point pasted as one text fills the fields of its coordinate system at
// once, and the point of a system can be copied as one text.
//
// The window owns the fields and the RAD/DEG group; this object owns the
// values behind them and the Updating flag that keeps its own writes into the
// fields from starting a second recomputation. It serves CoordSet3D and
// CoordSet2D (the plane converts nothing: its polar values are derived);
// the two are instantiated in CoordinateFields.cpp.

#include <array>
#include <bitset>
#include <initializer_list>

class QLineEdit;
class QObject;
class QString;
class RadioGroup;
namespace tralto {
class NumberSeparators;
}
using tralto::NumberSeparators;

// The separators of the fields' numbers: the locale's, set once at start-up,
// for the formatter that writes the fields and for the reading of what is
// typed or pasted into them, so that a field reads what the others show.
void SetFieldSeparators(const NumberSeparators& separators);
const NumberSeparators& FieldSeparators();

template <class Coordinates> class CoordinateFields
{
public:
    static constexpr int Count = Coordinates::ValueCount;
    // Rewrite: no field is the source, every field is rewritten.
    static constexpr int NoSource = -1;
    using Fields = std::array<QLineEdit*, Count>;

    // The indices whose values are angles: radians among the values, the
    // unit of the RAD/DEG group in the fields.
    explicit CoordinateFields(std::initializer_list<int> angles);

    // Connects the fields' changes and the group's clicks; the connections
    // end with the context object (the window). Fields that are
    // CoordinateFields take and give whole points.
    void Bind(const Fields& fields, RadioGroup* unitGroup, QObject* context);

    Coordinates& Values() { return values_; }
    const Coordinates& Values() const { return values_; }

    // Converts from source (an index, or a code of the set such as
    // CoordSet3D::ThetaConventionChanged; nothing for NoSource) and rewrites
    // every field but the source one, without reacting to those writes.
    void Rewrite(int source);

    // The point of the system that field index belongs to, as its fields
    // show it (the typed text evaluated), values separated by tabs.
    QString PointText(int index) const;
    // Fills the system of field index with a point written as one text
    // ("1, 2, 3"); false, changing nothing, when the text is no such point.
    bool TakePoint(int index, const QString& text);

private:
    void FieldChanged(int index);
    // The value of a field's text, in radians for an angle.
    long double ReadValue(int index) const;
    // A value as its field shows it, in degrees for an angle in DEG.
    long double ShownValue(int index) const;
    // Rewrites every field outside first..last from the values.
    void ShowValues(int source, int first, int last);
    bool InDegrees() const;

    Coordinates values_;
    std::bitset<Count> angles_;
    Fields fields_ {};
    RadioGroup* unitGroup_ = nullptr;
    bool updating_ = false;
};
