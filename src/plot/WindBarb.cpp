#include "plot/WindBarb.h"

#include <cmath>

namespace velta {

namespace {

constexpr double DegreeFactor = 0.01745327777777778;
constexpr double StripWidth = 0.1;
constexpr double StaffLength = 0.4;
constexpr double BarbLength = 0.1;
constexpr double HalfBarbLength = 0.05;
constexpr double BarbSpacing = 0.05;
constexpr double PennantGap = 1.0 / 30.0;

}  // namespace

BarbCounts barbCounts(double speedMetersPerSecond) {
    BarbCounts c;
    double s = speedMetersPerSecond * KnotsPerMeterPerSecond;
    while (s > 50.0) {
        ++c.pennants;
        s -= 50.0;
    }
    while (s > 10.0) {
        ++c.full;
        s -= 10.0;
    }
    while (s > 5.0) {
        ++c.half;
        s -= 5.0;
    }
    return c;
}

std::vector<Segment> windBarbStrokes(double x, double y, double speedMetersPerSecond, double direction,
                                     double aspectRatio) {
    if (!(aspectRatio > 0.0) || !std::isfinite(aspectRatio)) aspectRatio = 1.0;
    const double angle = (450.0 - direction) * DegreeFactor;
    // Unit vectors along the staff and to its clockwise side, in strip units.
    const double ax = std::cos(angle);
    const double ay = std::sin(angle);
    const double px = ay;
    const double py = -ax;
    auto at = [&](double along, double across, double& ox, double& oy) {
        ox = x + StripWidth * (along * ax + across * px);
        oy = y + StripWidth * (along * ay + across * py) / aspectRatio;
    };
    std::vector<Segment> strokes;
    auto stroke = [&](double a1, double c1, double a2, double c2) {
        Segment s{};
        at(a1, c1, s.x1, s.y1);
        at(a2, c2, s.x2, s.y2);
        strokes.push_back(s);
    };
    stroke(0.0, 0.0, StaffLength, 0.0);

    const BarbCounts counts = barbCounts(speedMetersPerSecond);
    const double side = BarbLength / std::sin(60.0 * DegreeFactor);
    double pos = StaffLength;
    for (int i = 0; i < counts.pennants; ++i) {
        stroke(pos, 0.0, pos - side / 2.0, BarbLength);
        stroke(pos - side / 2.0, BarbLength, pos - side, 0.0);
        stroke(pos - side, 0.0, pos, 0.0);
        pos -= side;
    }
    if (counts.pennants > 0) pos -= PennantGap;
    for (int i = 0; i < counts.full; ++i) {
        stroke(pos, 0.0, pos, BarbLength);
        pos -= BarbSpacing;
    }
    for (int i = 0; i < counts.half; ++i) {
        stroke(pos, 0.0, pos, HalfBarbLength);
        pos -= BarbSpacing;
    }
    return strokes;
}

}  // namespace velta
