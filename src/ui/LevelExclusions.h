// The operator's level exclusions carried over a new processing run: each
// excluded level is remembered by its type and pressure (its time when it has
// no pressure) and marks the level of the new run that matches it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "levels/LevelType.h"

namespace velta {

class SignificantLevels;

struct ExcludedLevel {
    LevelType type = LevelType::Standard;
    std::optional<double> pressure;  // mb
    std::optional<double> time;      // s
};

std::vector<ExcludedLevel> excludedLevels(const SignificantLevels& levels);

// Excludes, for each remembered level, the level of the same type nearest to
// it within 1 mb (or 1 s); answers the remembered levels that found none.
std::vector<ExcludedLevel> reapplyExclusions(SignificantLevels& levels, const std::vector<ExcludedLevel>& excluded);

// "Sig Temp at 612.4 mb", or "... at 123.5 s" for a level without pressure.
std::string describe(const ExcludedLevel& level);

}  // namespace velta
