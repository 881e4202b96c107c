#include "levels/LevelType.h"

#include <array>

namespace velta {

namespace {

// Display names by code. "Maximim Wind" is the name operators know from the
// levels grid and the printed listings; it is kept as it is.
constexpr std::array<const char*, 34> kNames = {
    "Standard",
    "Surface Thermodynamic",
    "Surface Winds",
    "Lowermost Thermodynamic",
    "Lowermost Winds",
    "Uppermost Thermodynamic",
    "Uppermost Winds",
    "110-100mb Temperature",
    "110-100mb Winds",
    "Tropopause",
    "Inversion Top",
    "Inversion Bottom",
    "Missing Temperature Top",
    "Missing Temperature Bottom",
    "Missing RH Top",
    "Missing RH Bottom",
    "Doubtful Altitude",
    "Doubtful Temperature",
    "Extrapolated Altitude",
    "Extrapolated Sfc Pressure",
    "Station Base Pressure",
    "Freezing",
    "GDL Temperature",
    "GDL RH",
    "GDL Wind Speed",
    "GDL Wind Direction",
    "Maximim Wind",
    "Wind Shear Above",
    "Wind Shear Below",
    "Mean Wind",
    "62626 Mean BL Wind",
    "62626 Last Wind Altitude",
    "62626 150m Layer Mean Wind",
    "62626 Deep Layer Mean Wind",
};

}  // namespace

const char* levelTypeName(LevelType type) {
    const int32_t code = levelTypeCode(type);
    if (code < 0 || code >= static_cast<int32_t>(kNames.size())) return "Unknown";
    return kNames[static_cast<std::size_t>(code)];
}

}  // namespace velta
