// Groups and selections shared by the sections that code levels.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "levels/Level.h"

namespace velta {

// Pressure ranges [min, max) of the level selections.
struct PressureRange {
    double min;
    double max;
};

// The whole sounding, for levels that are looked up wherever they lie.
inline constexpr PressureRange AnyPressure{0.0, 2000.0};

// TTTaDD: "/////" unless the level (not excluded) has a temperature; "//" for
// DD without a humidity.
std::string temperatureGroup(const Level& level);
// ddfff: "/////" unless the level (not excluded) has a speed and a direction.
std::string windGroup(const Level& level);

// Levels of one type in a range, in list order.
std::vector<Level> selectType(const std::vector<Level>& levels, LevelType type, PressureRange range,
                              bool includeExcluded);
// The first level of that type in the range, when there is one.
std::optional<Level> firstOfType(const std::vector<Level>& levels, LevelType type, PressureRange range,
                                 bool includeExcluded);

// Pressure of the highest "Standard" level with a wind speed in the standard
// range of part A (index 0) or C (2), excluded levels included.
std::optional<double> highestStandardWindPressure(const std::vector<Level>& levels, int partIndex);
// Id of parts A and C, "/" when no standard level has a wind; "/" for B, D.
std::string windIndicator(const std::vector<Level>& levels, int partIndex);

// The standard-level range of part A (index 0) or C (2).
PressureRange standardRange(int partIndex);

}  // namespace velta
