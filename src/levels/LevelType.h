// Why a significant level exists. The codes are stored and exchanged as
// 32-bit integers; codes without a rule of their own (16, 17, 21, 29) are
// named but never created.
#pragma once

#include <cstdint>

namespace velta {

enum class LevelType : int32_t {
    Standard = 0,
    SurfaceThermodynamic = 1,
    SurfaceWinds = 2,
    LowermostThermodynamic = 3,
    LowermostWinds = 4,
    UppermostThermodynamic = 5,
    UppermostWinds = 6,
    Temperature110To100 = 7,
    Winds110To100 = 8,
    Tropopause = 9,
    InversionTop = 10,
    InversionBottom = 11,
    MissingTemperatureTop = 12,
    MissingTemperatureBottom = 13,
    MissingRHTop = 14,
    MissingRHBottom = 15,
    DoubtfulAltitude = 16,
    DoubtfulTemperature = 17,
    ExtrapolatedAltitude = 18,
    ExtrapolatedSfcPressure = 19,
    StationBasePressure = 20,
    Freezing = 21,
    GdlTemperature = 22,
    GdlRH = 23,
    GdlWindSpeed = 24,
    GdlWindDirection = 25,
    MaximumWind = 26,
    WindShearAbove = 27,
    WindShearBelow = 28,
    MeanWind = 29,
    MeanBLWind62626 = 30,
    LastWindAltitude62626 = 31,
    LayerMeanWind150m62626 = 32,
    DeepLayerMeanWind62626 = 33,
};

inline int32_t levelTypeCode(LevelType type) { return static_cast<int32_t>(type); }

// The name shown in the listing and the levels grid; "Unknown" for a code
// outside the table.
const char* levelTypeName(LevelType type);

}  // namespace velta
