#include "AirColumn.h"

#include <algorithm>
#include <cmath>

#include "Physics.h"

namespace velta::sim {

namespace {
constexpr int kLevels = 6000;  // a few metres apart
}

AirColumn::AirColumn(const ModelAtmosphere& atmosphere, double topPressure)
    : surfacePressure_(atmosphere.shape().surfacePressure), topPressure_(topPressure) {
    const double lnBottom = std::log(surfacePressure_);
    const double lnTop = std::log(topPressure_);
    lnp_.reserve(kLevels + 1);
    geometric_.reserve(kLevels + 1);
    double geopotential = 0.0;
    double pPrev = surfacePressure_;
    AirState aPrev = atmosphere.at(pPrev);
    double tvPrev = virtualTemperature(pPrev, aPrev.temperature, aPrev.rh);
    lnp_.push_back(lnBottom);
    geometric_.push_back(0.0);
    for (int k = 1; k <= kLevels; ++k) {
        const double lnp = lnBottom + (lnTop - lnBottom) * k / kLevels;
        const double p = std::exp(lnp);
        const AirState a = atmosphere.at(p);
        const double tv = virtualTemperature(p, a.temperature, a.rh);
        geopotential += hypsometricThickness(pPrev, p, 0.5 * (tv + tvPrev));
        lnp_.push_back(lnp);
        geometric_.push_back(geometricFromGeopotential(geopotential));
        pPrev = p;
        tvPrev = tv;
    }
}

double AirColumn::geometricAt(double pressure) const {
    const double lnp = std::log(pressure);
    // lnp_ falls with the index.
    auto it = std::lower_bound(lnp_.begin(), lnp_.end(), lnp, std::greater<double>());
    if (it == lnp_.begin()) {
        it = lnp_.begin() + 1;
    } else if (it == lnp_.end()) {
        it = lnp_.end() - 1;
    }
    const auto i = static_cast<std::size_t>(it - lnp_.begin());
    const double f = (lnp - lnp_[i - 1]) / (lnp_[i] - lnp_[i - 1]);
    return geometric_[i - 1] + f * (geometric_[i] - geometric_[i - 1]);
}

double AirColumn::geopotentialAt(double pressure) const {
    return geopotentialFromGeometric(geometricAt(pressure));
}

double AirColumn::pressureAtGeometric(double altitude) const {
    auto it = std::lower_bound(geometric_.begin(), geometric_.end(), altitude);
    if (it == geometric_.begin()) {
        it = geometric_.begin() + 1;
    } else if (it == geometric_.end()) {
        it = geometric_.end() - 1;
    }
    const auto i = static_cast<std::size_t>(it - geometric_.begin());
    const double f = (altitude - geometric_[i - 1]) / (geometric_[i] - geometric_[i - 1]);
    return std::exp(lnp_[i - 1] + f * (lnp_[i] - lnp_[i - 1]));
}

}  // namespace velta::sim
