#include "cli/CoordinateSystems.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace {

struct SystemEntry
{
    CoordinateSystem system;
    std::string_view name;
    std::array<std::string_view, 3> shortForms;
};

constexpr std::array<SystemEntry, 5> Systems { {
    { CoordinateSystem::Cartesian, "cartesian", { "cart", "xyz", "" } },
    { CoordinateSystem::Spherical, "spherical", { "sph", "sphere", "" } },
    { CoordinateSystem::Cylindrical, "cylindrical", { "cyl", "cylinder", "" } },
    { CoordinateSystem::Cartesian2, "cartesian2", { "cart2", "xy", "" } },
    { CoordinateSystem::Polar, "polar", { "pol", "polar2", "" } },
} };

constexpr std::array<std::string_view, 3> CartesianNames { "x", "y", "z" };
constexpr std::array<std::string_view, 3> SphericalNames { "r", "theta", "phi" };
constexpr std::array<std::string_view, 3> CylindricalNames { "r", "phi", "z" };
constexpr std::array<std::string_view, 2> PolarNames { "r", "phi" };

const SystemEntry& Entry(CoordinateSystem system)
{
    return Systems[static_cast<std::size_t>(system)];
}

} // namespace

std::optional<CoordinateSystem> SystemByName(std::string_view name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const SystemEntry& entry : Systems) {
        if (lower == entry.name)
            return entry.system;
        for (std::string_view shortForm : entry.shortForms) {
            if (!shortForm.empty() && lower == shortForm)
                return entry.system;
        }
    }
    return std::nullopt;
}

std::string_view SystemName(CoordinateSystem system)
{
    return Entry(system).name;
}

int Dimension(CoordinateSystem system)
{
    return system == CoordinateSystem::Cartesian2 || system == CoordinateSystem::Polar ? 2 : 3;
}

std::span<const std::string_view> ValueNames(CoordinateSystem system)
{
    switch (system) {
    case CoordinateSystem::Cartesian:
        return CartesianNames;
    case CoordinateSystem::Spherical:
        return SphericalNames;
    case CoordinateSystem::Cylindrical:
        return CylindricalNames;
    case CoordinateSystem::Cartesian2:
        return std::span(CartesianNames).first(2);
    case CoordinateSystem::Polar:
        return PolarNames;
    }
    return {};
}

bool IsAngle(CoordinateSystem system, int index)
{
    const auto names = ValueNames(system);
    return index >= 0 && static_cast<std::size_t>(index) < names.size()
        && (names[static_cast<std::size_t>(index)] == "theta"
            || names[static_cast<std::size_t>(index)] == "phi");
}
