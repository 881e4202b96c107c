// The wind barb symbol: pennants for 50 knots, full barbs for 10 and a half
// barb for 5, on a staff pointing to where the wind blows from.
#pragma once

#include <vector>

#include "plot/LineClipper.h"

namespace velta {

inline constexpr double KnotsPerMeterPerSecond = 3600.0 / 1852.0;

struct BarbCounts {
    int pennants = 0;
    int full = 0;
    int half = 0;
    friend bool operator==(const BarbCounts&, const BarbCounts&) = default;
};

// The speed in knots is used up by pennants while more than 50 is left, then
// by full barbs while more than 10, then by half barbs while more than 5 (the
// comparisons are strict, so exactly 10 knots shows one half barb).
BarbCounts barbCounts(double speedMetersPerSecond);

// The strokes of one barb in plot-area fractions, its staff starting at
// (x, y). Lengths are in units of the wind strip's width (a tenth of the plot
// area), and their upward parts are divided by the aspect ratio (height per
// width) so the symbol keeps its shape. The staff comes first.
std::vector<Segment> windBarbStrokes(double x, double y, double speedMetersPerSecond, double direction,
                                     double aspectRatio);

}  // namespace velta
