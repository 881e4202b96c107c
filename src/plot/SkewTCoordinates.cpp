#include "plot/SkewTCoordinates.h"

#include <cmath>

namespace velta {

double SkewTCoordinates::y(double pressure) const {
    return std::log10(pressure / r_.pbot) / std::log10(r_.ptop / r_.pbot);
}

double SkewTCoordinates::pressure(double y) const { return r_.pbot * std::pow(10.0, y * std::log10(r_.ptop / r_.pbot)); }

double SkewTCoordinates::x(double celsius, double y) const { return (celsius - r_.tmin) / (r_.tmax - r_.tmin) + y / Skew; }

double SkewTCoordinates::temperature(double x, double y) const { return (x - y / Skew) * (r_.tmax - r_.tmin) + r_.tmin; }

DiagramPoint SkewTCoordinates::toDiagram(double celsius, double pressure) const {
    const double yy = y(pressure);
    return {x(celsius, yy), yy};
}

}  // namespace velta
