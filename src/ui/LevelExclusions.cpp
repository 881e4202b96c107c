#include "ui/LevelExclusions.h"

#include <cmath>
#include <cstdio>

#include "levels/SignificantLevels.h"

namespace velta {
namespace {

constexpr double kPressureTolerance = 1.0;  // mb
constexpr double kTimeTolerance = 1.0;      // s

}  // namespace

std::vector<ExcludedLevel> excludedLevels(const SignificantLevels& levels) {
    std::vector<ExcludedLevel> out;
    for (const Level& level : levels.levels())
        if (level.excluded())
            out.push_back({level.type(), level.value(LevelValue::Pres), level.value(LevelValue::Time)});
    return out;
}

std::vector<ExcludedLevel> reapplyExclusions(SignificantLevels& levels, const std::vector<ExcludedLevel>& excluded) {
    std::vector<ExcludedLevel> lost;
    const std::vector<Level>& list = levels.levels();
    std::vector<bool> taken(list.size(), false);
    for (const ExcludedLevel& wanted : excluded) {
        const LevelValue key = wanted.pressure ? LevelValue::Pres : LevelValue::Time;
        const std::optional<double> target = wanted.pressure ? wanted.pressure : wanted.time;
        const double tolerance = wanted.pressure ? kPressureTolerance : kTimeTolerance;
        std::size_t best = list.size();
        double bestDistance = tolerance;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const std::optional<double> v = list[i].value(key);
            if (taken[i] || list[i].type() != wanted.type || !v || !target) continue;
            const double distance = std::fabs(*v - *target);
            if (distance <= bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        if (best == list.size()) {
            lost.push_back(wanted);
            continue;
        }
        taken[best] = true;
        levels.setExcluded(best, true);
    }
    return lost;
}

std::string describe(const ExcludedLevel& level) {
    char where[40] = "";
    if (level.pressure)
        std::snprintf(where, sizeof where, " at %.1f mb", *level.pressure);
    else if (level.time)
        std::snprintf(where, sizeof where, " at %.1f s", *level.time);
    return std::string(levelTypeName(level.type)) + where;
}

}  // namespace velta
