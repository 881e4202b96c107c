#include "levels/LevelListing.h"

#include <fmt/printf.h>

namespace velta {

namespace {

constexpr LevelValue kColumns[] = {LevelValue::Time, LevelValue::Pres, LevelValue::Tdry, LevelValue::RH,
                                   LevelValue::Wspd, LevelValue::Wdir, LevelValue::Alt};

std::string row(const Level& level) {
    std::string line;
    for (LevelValue key : kColumns) {
        if (const std::optional<double> x = level.value(key)) {
            line += fmt::sprintf("%8.1f ", *x);
        } else {
            line += "         ";
        }
    }
    line += levelTypeName(level.type());
    return line;
}

}  // namespace

std::string levelListingHeader() {
    return std::string("    Time ") + "    Pres " + "   T Dry " + "      RH " + "   Speed " + "     Dir " +
           "     Alt " + "    Type   ";
}

std::vector<std::vector<std::string>> levelListing(const std::vector<Level>& levels) {
    std::vector<std::vector<std::string>> pages;
    std::size_t next = 0;
    do {
        std::vector<std::string> page{"Levels", levelListingHeader(), " "};
        for (std::size_t k = 0; k < LevelsPerPage && next < levels.size(); ++k, ++next)
            page.push_back(row(levels[next]));
        pages.push_back(std::move(page));
    } while (next < levels.size());
    return pages;
}

std::vector<LevelGraphPoint> levelGraphPoints(const std::vector<Level>& levels, LevelValue x, LevelValue y) {
    std::vector<LevelGraphPoint> out;
    for (const Level& level : levels) {
        const std::optional<double> vx = level.value(x), vy = level.value(y);
        if (!vx || !vy) continue;
        std::string label = levelTypeName(level.type());
        if (const std::optional<double> p = level.value(LevelValue::Pres); p && *p > 0.0 && *p < 2000.0) {
            label += fmt::sprintf(" at %.1f mb", *p);
        }
        out.push_back(LevelGraphPoint{*vx, *vy, std::move(label)});
    }
    return out;
}

}  // namespace velta
