#include "wmo/LevelGroups.h"

#include "levels/LevelSelection.h"
#include "wmo/CodeFigures.h"

namespace velta {

std::string temperatureGroup(const Level& level) {
    if (level.excluded()) return "/////";
    const auto t = level.value(LevelValue::Tdry);
    if (!t) return "/////";
    const auto rh = level.value(LevelValue::RH);
    return codeTemperature(*t) + (rh ? codeDewPointDepression(*t, *rh) : "//");
}

std::string windGroup(const Level& level) {
    if (level.excluded()) return "/////";
    const auto speed = level.value(LevelValue::Wspd);
    const auto direction = level.value(LevelValue::Wdir);
    if (!speed || !direction) return "/////";
    return codeWind(*speed, *direction);
}

std::vector<Level> selectType(const std::vector<Level>& levels, LevelType type, PressureRange range,
                              bool includeExcluded) {
    return selectLevels(levels, {type}, range.min, range.max, includeExcluded);
}

std::optional<Level> firstOfType(const std::vector<Level>& levels, LevelType type, PressureRange range,
                                 bool includeExcluded) {
    for (const Level& level : levels) {
        if (level.type() != type || (level.excluded() && !includeExcluded)) continue;
        const double p = level.valueOr(LevelValue::Pres, 0.0);
        if (range.min <= p && p < range.max) return level;
    }
    return std::nullopt;
}

PressureRange standardRange(int partIndex) {
    return partIndex == 0 ? PressureRange{100.0, 2000.0} : PressureRange{0.0, 100.0};
}

std::optional<double> highestStandardWindPressure(const std::vector<Level>& levels, int partIndex) {
    // In a sorted list this is the first one with a wind; the lowest pressure
    // does not depend on the order.
    const PressureRange range = standardRange(partIndex);
    std::optional<double> highest;
    for (const Level& level : levels) {
        if (level.type() != LevelType::Standard || !level.has(LevelValue::Wspd)) continue;
        const double p = level.valueOr(LevelValue::Pres, 0.0);
        if (p < range.min || p >= range.max) continue;
        if (!highest || p < *highest) highest = p;
    }
    return highest;
}

std::string windIndicator(const std::vector<Level>& levels, int partIndex) {
    if (partIndex != 0 && partIndex != 2) return "/";
    const auto p = highestStandardWindPressure(levels, partIndex);
    return p ? codeWindIndicator(partIndex, *p) : "/";
}

}  // namespace velta
