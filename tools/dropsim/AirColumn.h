#pragma once

#include <vector>

#include "ModelAtmosphere.h"

namespace velta::sim {

// The heights of the model atmosphere: the hypsometric equation with the virtual
// temperature integrated upward from the surface (sea level, 0 m) on a fine grid
// in ln p, so that height and pressure can be turned into each other.
class AirColumn {
public:
    explicit AirColumn(const ModelAtmosphere& atmosphere, double topPressure = 30.0);

    double surfacePressure() const { return surfacePressure_; }
    double topPressure() const { return topPressure_; }
    double geopotentialAt(double pressure) const;  // geopotential m
    double geometricAt(double pressure) const;     // m
    double pressureAtGeometric(double altitude) const;

private:
    double surfacePressure_;
    double topPressure_;
    std::vector<double> lnp_;        // falling with index
    std::vector<double> geometric_;  // rising with index
};

}  // namespace velta::sim
