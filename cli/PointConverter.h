#pragma once

// One point through the engine exactly as a coordinate window takes it: the values are set in
// the order a user types them into the source system's fields, angles converted from degrees
// with DegToRad in DEG, then the set converts; the target's values are read as the window shows
// them, angles converted back with RadToDeg. So the same point gives the same digits here and
// in the window.

#include "cli/CoordinateSystems.h"
#include "coordinates/CoordSet3D.h"

#include <array>
#include <string>

struct ConversionSettings
{
    CoordinateSystem from = CoordinateSystem::Cartesian;
    CoordinateSystem to = CoordinateSystem::Spherical;
    ThetaConvention theta = ThetaToZAxis;
    AngleUnit unit = RAD;
};

class PointConverter
{
public:
    static constexpr int MaxValues = 3;
    using Point = std::array<long double, MaxValues>;

    // Both systems must have the same dimension.
    explicit PointConverter(const ConversionSettings& settings);

    int InputCount() const { return ValueCount(settings_.from); }
    int OutputCount() const { return ValueCount(settings_.to); }

    // entered: InputCount() values as typed (angles in the unit); the result holds
    // OutputCount() values as the target's fields show them (angles in the unit).
    Point Convert(const Point& entered) const;

    // Convert, or false when a value of the result is not a finite number: then `blamed` is
    // the entered value that caused it and `problem` says why (an angle too large to name a
    // direction, or a coordinate whose square is beyond the range of numbers).
    bool ConvertFinite(const Point& entered, Point& shown, int& blamed, std::string& problem) const;

private:
    ConversionSettings settings_;
    // Which values are angles to convert from and to degrees, looked up once.
    std::array<bool, MaxValues> degreesIn_ {};
    std::array<bool, MaxValues> degreesOut_ {};
};
