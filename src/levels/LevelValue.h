// The quantities a significant level can carry, with their units.
#pragma once

#include <cstdint>

namespace velta {

enum class LevelValue : int32_t {
    Time = 0,              // s, the time axis of the series
    Pres = 1,              // mb
    Tdry = 2,              // deg C
    RH = 3,                // %
    Wspd = 4,              // m/s
    Wdir = 5,              // degrees the wind blows from
    U = 6,                 // m/s
    V = 7,                 // m/s
    Alt = 8,               // geopotential altitude, m
    LayerTopPres = 9,      // mb, top of an averaging layer
    LayerBottomPres = 10,  // mb, bottom of an averaging layer
    Lat = 11,              // degrees
    Lon = 12,              // degrees
};

inline constexpr int32_t LevelValueCount = 13;

// Short name of a key ("Time", "Pres", ...); "Unknown" outside the table.
const char* levelValueName(LevelValue key);

}  // namespace velta
