#include "qc/VerticalVelocity.h"

#include <cmath>
#include <optional>
#include <vector>

#include "extern/SplineBasis.h"
#include "extern/SplineCurve.h"
#include "qc/MetFormulas.h"

namespace velta {

namespace {

constexpr double DryAirGasConstant = 287.04;  // J/(kg K)
constexpr double Gravity = 9.80665;           // m/s^2
constexpr double MaxGap = 60.0;               // s
constexpr double DefaultHumidity = 50.0;      // %

}  // namespace

void VerticalVelocity::operator()(const DataSeries& pressure, const DataSeries* temperature,
                                  const DataSeries* humidity, double wavelength, DataSeries& dz) const {
    dz.clear();
    const int32_t n = pressure.size();
    if (n < 3 || !temperature) return;

    const std::vector<double> t = pressure.times();
    const std::vector<double> p = pressure.values();
    const SplineBasis basis(t.data(), t.size(), wavelength, SplineBasis::NaturalEnds, 0);
    const SplineCurve curve(basis, p.data());
    if (!curve.ok()) return;

    constexpr int32_t anyFlag = FlagLaunch | FlagSurface | FlagOverride;
    const int32_t first = (pressure.flags(0) & anyFlag) != 0 ? 1 : 0;
    dz.reserve(static_cast<std::size_t>(n - first));
    std::size_t tHint = 0, rhHint = 0;  // the pressure times increase
    for (int32_t i = first; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!(p[k] > 0.0)) continue;
        const auto celsius = temperature->interpolate(t[k], MaxGap, tHint);
        if (!celsius) continue;
        std::optional<double> rh;
        if (humidity) rh = humidity->interpolate(t[k], MaxGap, rhHint);
        const double tv = virtualTemperature(p[k], *celsius, rh.value_or(DefaultHumidity));
        const double w = -(DryAirGasConstant * tv) / (Gravity * p[k]) * curve.slope(t[k]);
        dz.append(w, t[k]);
    }
}

}  // namespace velta
