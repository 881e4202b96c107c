// Hydrostatic altitudes: integrates the layer thickness between consecutive pressure samples, upward
// from the surface (the last point of a drop) or from the first point (launch or ascent start).
#pragma once

#include "sounding/DataSeries.h"

namespace velta {

class HeightIntegrator {
public:
    enum class Anchor { FirstPoint, LastPoint };

    // The series are not owned and must outlive the integrator. The pressure must be monotonic, as
    // the QC pressure is after its order check.
    HeightIntegrator(const DataSeries& pressure, const DataSeries& temperature, const DataSeries& humidity,
                     double anchorAltitude, Anchor anchor)
        : pressure_(&pressure),
          temperature_(&temperature),
          humidity_(&humidity),
          anchorAltitude_(anchorAltitude),
          anchor_(anchor) {}

    // altitude holds the times of the pressure series (a renamed copy of it); its values become
    // altitudes (m) with the anchor point at the anchor altitude. Points whose layer has no
    // temperature are removed. Fewer than two temperature points leave no altitude at all: the series
    // is emptied.
    void operator()(DataSeries& altitude) const;

private:

    const DataSeries* pressure_;
    const DataSeries* temperature_;
    const DataSeries* humidity_;
    double anchorAltitude_;
    Anchor anchor_;
};

}  // namespace velta
