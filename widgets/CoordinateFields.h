#pragma once

// The rule of a coordinate window's fields, one for the plane and for space:
//
//   field text → EvaluateText → DegToRad for an angle in DEG → Set → Convert
//   → FormatValue (RadToDeg first for an angle in DEG) → the other fields
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
class RadioGroup;

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
    // end with the context object (the window).
    void Bind(const Fields& fields, RadioGroup* unitGroup, QObject* context);

    Coordinates& Values() { return values_; }
    const Coordinates& Values() const { return values_; }

    // Converts from source (an index, or a code of the set such as
    // CoordSet3D::ThetaConventionChanged; nothing for NoSource) and rewrites
    // every field but the source one, without reacting to those writes.
    void Rewrite(int source);

private:
    void FieldChanged(int index);
    void ShowValues(int source);
    bool InDegrees() const;

    Coordinates values_;
    std::bitset<Count> angles_;
    Fields fields_ {};
    RadioGroup* unitGroup_ = nullptr;
    bool updating_ = false;
};
