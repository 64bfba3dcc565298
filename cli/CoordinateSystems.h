#pragma once

#include <optional>
#include <span>
#include <string_view>

// The coordinate systems of the two windows, named as the command line names them. Each
// system's values come in the order of its window fields, which is also the order in which the
// command line reads and writes them.

enum class CoordinateSystem
{
    Cartesian, // x, y, z
    Spherical, // r, theta, phi
    Cylindrical, // r, phi, z
    Cartesian2, // x, y
    Polar // r, phi
};

// The name or one of its short forms ("cart", "sph", "cyl", "xy", ...), in any letter case.
std::optional<CoordinateSystem> SystemByName(std::string_view name);
std::string_view SystemName(CoordinateSystem system);

// 3 for the systems of space, 2 for those of the plane.
int Dimension(CoordinateSystem system);
// Also the number of values of a point.
inline int ValueCount(CoordinateSystem system)
{
    return Dimension(system);
}

// "x", "y", "z"; "r", "theta", "phi"; ...
std::span<const std::string_view> ValueNames(CoordinateSystem system);
// Whether value `index` of the system is an angle (entered and shown in the chosen unit).
bool IsAngle(CoordinateSystem system, int index);
