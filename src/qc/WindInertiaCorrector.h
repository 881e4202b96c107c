// Correction of a wind component for the inertia of the falling sonde: its response time to the wind
// is its fall speed divided by gravity, so value -= (w / g) * d value / dt with w the fall rate.
#pragma once

#include "sounding/DataSeries.h"

namespace velta {

class WindInertiaCorrector {
public:
    // fallRate: QCDz (m/s, negative while falling); not owned, must outlive the corrector.
    WindInertiaCorrector(const DataSeries& fallRate, double wavelength)
        : fallRate_(&fallRate), wavelength_(wavelength) {}

    // Corrects every point but a flagged (launch, surface or override) first or last point; points
    // without a fall rate within 60 s keep their values. Series of fewer than 3 points are left alone.
    void operator()(DataSeries& component) const;

private:
    const DataSeries* fallRate_;
    double wavelength_;
};

}  // namespace velta
