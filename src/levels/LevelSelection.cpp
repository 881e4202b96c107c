#include "levels/LevelSelection.h"

#include <algorithm>

#include "levels/LevelOrder.h"

namespace velta {

std::vector<Level> selectLevels(const std::vector<Level>& levels, const std::vector<LevelType>& types,
                                double pmin, double pmax, bool includeExcluded) {
    std::vector<Level> out;
    for (const Level& level : levels) {
        if (level.excluded() && !includeExcluded) continue;
        const double p = level.valueOr(LevelValue::Pres, 0.0);
        if (!(pmin <= p && p < pmax)) continue;
        const auto copies = std::count(types.begin(), types.end(), level.type());
        for (std::ptrdiff_t k = 0; k < copies; ++k) out.push_back(level);
    }
    return out;
}

std::vector<Level> pressureOrderedLevels(const std::vector<Level>& levels) {
    std::vector<Level> out;
    out.reserve(levels.size());
    for (const Level& level : levels)
        if (level.has(LevelValue::Pres)) out.push_back(level);
    sortLevels(out);
    return out;
}

}  // namespace velta
