#include "levels/LevelOrder.h"

#include <algorithm>

namespace velta {

namespace {

// -1, 0 or 1 for present-before-absent, then by value.
int compareOptional(const std::optional<double>& a, const std::optional<double>& b) {
    if (a && b) {
        if (*a < *b) return -1;
        if (*b < *a) return 1;
        return 0;
    }
    if (a) return -1;
    if (b) return 1;
    return 0;
}

}  // namespace

bool levelBefore(const Level& a, const Level& b) {
    if (int c = compareOptional(a.value(LevelValue::Pres), b.value(LevelValue::Pres)); c != 0) return c < 0;
    if (int c = compareOptional(a.value(LevelValue::Time), b.value(LevelValue::Time)); c != 0) return c < 0;
    return levelTypeCode(a.type()) < levelTypeCode(b.type());
}

void sortLevels(std::vector<Level>& levels) { std::stable_sort(levels.begin(), levels.end(), levelBefore); }

}  // namespace velta
