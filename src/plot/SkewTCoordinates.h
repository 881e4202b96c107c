// The skew-T transform: temperature and pressure to diagram units (0 to 1
// over the box, x skewed with height) and to plot-area fractions, and back.
#pragma once

namespace velta {

struct SkewTRanges {
    double tmin = -40.0;   // deg C at the bottom left
    double tmax = 40.0;    // deg C at the bottom right
    double ptop = 100.0;   // mb
    double pbot = 1050.0;  // mb
};

struct DiagramPoint {
    double x = 0.0;
    double y = 0.0;
};

class SkewTCoordinates {
public:
    static constexpr double Skew = 1.125;
    // The diagram box in plot-area fractions, both ways.
    static constexpr double BoxLow = 0.07;
    static constexpr double BoxHigh = 0.9;
    static constexpr double BoxSize = BoxHigh - BoxLow;

    explicit SkewTCoordinates(SkewTRanges ranges = {}) : r_(ranges) {}
    const SkewTRanges& ranges() const { return r_; }

    // y: 0 at pbot, 1 at ptop.
    double y(double pressure) const;
    double pressure(double y) const;
    // x of a temperature at height y.
    double x(double celsius, double y) const;
    double temperature(double x, double y) const;
    DiagramPoint toDiagram(double celsius, double pressure) const;

    // Diagram units to plot-area fractions and back.
    static double plotX(double x) { return BoxLow + BoxSize * x; }
    static double plotY(double y) { return BoxLow + BoxSize * y; }
    static double diagramX(double plotX) { return (plotX - BoxLow) / BoxSize; }
    static double diagramY(double plotY) { return (plotY - BoxLow) / BoxSize; }

private:
    SkewTRanges r_;
};

}  // namespace velta
