// Text and graph views of a level list.
#pragma once

#include <string>
#include <vector>

#include "levels/Level.h"

namespace velta {

// Levels per listing page.
inline constexpr std::size_t LevelsPerPage = 50;

// The column header line of the listing.
std::string levelListingHeader();

// Pages of at most 50 levels; each page is its lines: "Levels", the header,
// " ", then one row per level. An empty list gives one page without rows.
std::vector<std::vector<std::string>> levelListing(const std::vector<Level>& levels);

struct LevelGraphPoint {
    double x;
    double y;
    std::string label;  // type name, with " at %.1f mb" when the level has a pressure in (0, 2000)
};

// One point for every level that has both values, in list order.
std::vector<LevelGraphPoint> levelGraphPoints(const std::vector<Level>& levels, LevelValue x, LevelValue y);

}  // namespace velta
