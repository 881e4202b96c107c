// Least-squares straight line value = intercept + slope * time through the
// points of a series, with the root-mean-square residual.
#pragma once

namespace velta {

struct SeriesFit {
    double slope = 0.0;
    double intercept = 0.0;
    double rms = 0.0;
};

}  // namespace velta
