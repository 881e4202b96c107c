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

void HeightIntegrator::operator()(DataSeries& altitude) const {
    if (temperature_->size() < 2) {
        altitude.clear();
        return;
    }
    const int32_t n = altitude.size();
    if (n == 0) return;
    // Pressure and virtual temperature at every altitude time, worked out once:
    // each point is the end of two layers.
    struct Sample {
        std::optional<double> p, tv;
    };
    // A temperature gap longer than the usual limit is bridged when the record
    // spans more than that limit. A wider limit only lets more times through:
    // where the usual one succeeds, the value is the same.
    const double span = std::fabs(temperature_->time(0) - temperature_->time(temperature_->lastIndex()));
    const double tempGap = span > kMaxGap ? span : kMaxGap;
    std::vector<Sample> samples(static_cast<std::size_t>(n));
    std::size_t pHint = 0, tHint = 0, rhHint = 0;  // the times mostly increase
    for (int32_t i = 0; i < n; ++i) {
        const double t = altitude.time(i);
        Sample& s = samples[static_cast<std::size_t>(i)];
        s.p = pressure_->interpolate(t, kMaxGap, pHint);
        const std::optional<double> temperature = temperature_->interpolate(t, tempGap, tHint);
        if (s.p && temperature)
            s.tv = virtualTemperature(*s.p, *temperature,
                                      humidity_->interpolate(t, kMaxGap, rhHint).value_or(kDefaultRh));
    }

    std::vector<uint8_t> marked(static_cast<std::size_t>(n), 0);
    double z = anchorAltitude_;
    auto step = [&](int32_t from, int32_t to) {
        const Sample& a = samples[static_cast<std::size_t>(from)];
        const Sample& b = samples[static_cast<std::size_t>(to)];
        if (a.tv && b.tv) {
            const double dz = layerThicknessVirtual(*a.p, *b.p, *a.tv, *b.tv);
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
