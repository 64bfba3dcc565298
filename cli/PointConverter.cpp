#include "cli/PointConverter.h"

#include "coordinates/CoordSet2D.h"

#include <cmath>

namespace {

using Flags = std::array<bool, PointConverter::MaxValues>;

// Index of a system's first value in CoordSet3D (its triples lie one after another) or in the
// update operations of CoordSet2D.
int FirstIndex(CoordinateSystem system)
{
    switch (system) {
    case CoordinateSystem::Cartesian:
    case CoordinateSystem::Cartesian2:
        return 0;
    case CoordinateSystem::Spherical:
        return CoordSet3D::Kug_r;
    case CoordinateSystem::Polar:
        return CoordSet2D::R;
    case CoordinateSystem::Cylindrical:
        return CoordSet3D::Zyl_r;
    }
    return 0;
}

Flags DegreeFlags(CoordinateSystem system, AngleUnit unit)
{
    Flags flags {};
    for (int i = 0; i < ValueCount(system); ++i)
        flags[i] = unit == DEG && IsAngle(system, i);
    return flags;
}

// Sets the entered values one after another, as the fields are typed in, angles in radians.
template <class Set>
void Enter(
    Set& set, CoordinateSystem system, const Flags& degrees, const PointConverter::Point& entered)
{
    const int from = FirstIndex(system);
    for (int i = 0; i < ValueCount(system); ++i)
        set.Set(from + i, degrees[i] ? DegToRad(entered[i]) : entered[i]);
}

// The target's values as its fields show them.
template <class Set>
PointConverter::Point Shown(const Set& set, CoordinateSystem system, const Flags& degrees)
{
    PointConverter::Point shown {};
    const int to = FirstIndex(system);
    for (int i = 0; i < ValueCount(system); ++i) {
        const long double value = set.Get(to + i);
        shown[i] = degrees[i] ? RadToDeg(value) : value;
    }
    return shown;
}

} // namespace

PointConverter::PointConverter(const ConversionSettings& settings)
    : settings_(settings)
    , degreesIn_(DegreeFlags(settings.from, settings.unit))
    , degreesOut_(DegreeFlags(settings.to, settings.unit))
{
}

PointConverter::Point PointConverter::Convert(const Point& entered) const
{
    if (Dimension(settings_.from) == 3) {
        CoordSet3D set;
        set.SetThetaConvention(settings_.theta);
        Enter(set, settings_.from, degreesIn_, entered);
        // The window converts after every field; the last conversion reads the whole entered
        // triple, so it alone decides what the other fields show.
        set.Convert(FirstIndex(settings_.from) + 2);
        return Shown(set, settings_.to, degreesOut_);
    }
    // A fresh window holds the origin. Entering r keeps the direction (0 at the origin), then
    // entering phi keeps the distance: both count, in this order, and a negative r comes back
    // as its magnitude, as in the window.
    CoordSet2D set;
    Enter(set, settings_.from, degreesIn_, entered);
    return Shown(set, settings_.to, degreesOut_);
}

bool PointConverter::ConvertFinite(
    const Point& entered, Point& shown, int& blamed, std::string& problem) const
{
    shown = Convert(entered);
    bool finite = true;
    for (int i = 0; i < OutputCount(); ++i)
        finite = finite && std::isfinite(shown[i]);
    if (finite)
        return true;
    // Every entered value is finite. An angle whose last bit is worth more than a turn names
    // no direction (the engine's limit is 2^53 radians); otherwise a coordinate is so large
    // that its square, on the way to a distance, is beyond the range of numbers.
    blamed = 0;
    for (int i = 0; i < InputCount(); ++i) {
        const long double radians = degreesIn_[i] ? DegToRad(entered[i]) : entered[i];
        if (IsAngle(settings_.from, i) && std::fabs(radians) >= 0x1p53L) {
            blamed = i;
            problem = "an angle of 2^53 (9.007E15) radians or more names no direction";
            return false;
        }
        if (std::fabs(entered[i]) > std::fabs(entered[blamed]))
            blamed = i;
    }
    problem = "too large: the converted point is beyond the range of numbers";
    return false;
}
