// First-order time-lag correction of a sensor series: each value gains tau times the slope of the
// smoothed series at its time, tau coming from a TimeConstantSource.
#pragma once

#include "qc/TimeConstantSource.h"
#include "sounding/DataSeries.h"

namespace velta {

class TimeLagCorrector {
public:
    // The source is not owned and must outlive the corrector.
    TimeLagCorrector(const TimeConstantSource& source, double wavelength)
        : source_(&source), wavelength_(wavelength) {}

    // Corrects every point but a flagged (launch, surface or override) first or last point; points
    // without a time constant keep their values. Series of fewer than 3 points are left alone.
    void operator()(DataSeries& series) const;

private:
    const TimeConstantSource* source_;
    double wavelength_;
};

}  // namespace velta
