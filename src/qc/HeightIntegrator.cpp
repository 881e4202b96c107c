#include "qc/HeightIntegrator.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "qc/MetFormulas.h"
#include "sounding/DataPoint.h"

namespace velta {

namespace {
constexpr double kMaxGap = 60.0;
constexpr double kDefaultRh = 50.0;
}  // namespace

struct HeightIntegrator::Layer {
    double pa = 0.0, pb = 0.0, ta = 0.0, tb = 0.0, rha = kDefaultRh, rhb = kDefaultRh;
};

bool HeightIntegrator::layerAt(double ta, double tb, Layer& layer) const {
    const std::optional<double> pa = pressure_->interpolate(ta, kMaxGap);
    const std::optional<double> pb = pressure_->interpolate(tb, kMaxGap);
    std::optional<double> tempA = temperature_->interpolate(ta, kMaxGap);
    std::optional<double> tempB = temperature_->interpolate(tb, kMaxGap);
    if (!tempA || !tempB) {
        // A longer temperature gap is bridged when the temperature record spans more than the usual gap.
        const double span = std::fabs(temperature_->time(0) - temperature_->time(temperature_->lastIndex()));
        if (span > kMaxGap) {
            tempA = temperature_->interpolate(ta, span);
            tempB = temperature_->interpolate(tb, span);
        }
    }
    if (!pa || !pb || !tempA || !tempB) return false;
    layer.pa = *pa;
    layer.pb = *pb;
    layer.ta = *tempA;
    layer.tb = *tempB;
    layer.rha = humidity_->interpolate(ta, kMaxGap).value_or(kDefaultRh);
    layer.rhb = humidity_->interpolate(tb, kMaxGap).value_or(kDefaultRh);
    return true;
}

void HeightIntegrator::operator()(DataSeries& altitude) const {
    if (temperature_->size() < 2) {
        altitude.clear();
        return;
    }
    const int32_t n = altitude.size();
    if (n == 0) return;
    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    double z = anchorAltitude_;
    auto step = [&](int32_t from, int32_t to) {
        Layer layer;
        if (layerAt(altitude.time(from), altitude.time(to), layer)) {
            const double dz = layerThickness(layer.pa, layer.pb, layer.ta, layer.tb, layer.rha, layer.rhb);
            if (std::isfinite(dz)) {
                z += dz;
                altitude.setValue(to, z);
                return;
            }
        }
        marked[static_cast<std::size_t>(to)] = 1;
    };
    if (anchor_ == Anchor::FirstPoint) {
        altitude.setValue(0, z);
        for (int32_t d = 1; d < n; ++d) step(d - 1, d);
    } else {
        altitude.setValue(n - 1, z);
        for (int32_t b = n - 2; b >= 0; --b) step(b + 1, b);
    }
    // remove_if tests each point at its original place before moving any, so its address gives its index.
    const DataPoint* base = altitude.points().data();
    altitude.removeIf([&](const DataPoint& p) { return marked[static_cast<std::size_t>(&p - base)] != 0; });

    if (altitude.empty() || pressure_->empty()) return;
    if (altitude.time(0) == pressure_->time(0) && pressure_->hasFlags(0, FlagLaunch))
        altitude.setFlags(0, FlagLaunch);
    const int32_t lastA = altitude.lastIndex();
    const int32_t lastP = pressure_->lastIndex();
    if (altitude.time(lastA) == pressure_->time(lastP) && pressure_->hasFlags(lastP, FlagSurface))
        altitude.setFlags(lastA, FlagSurface);
}

}  // namespace velta
