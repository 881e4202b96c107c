#include "qc/PositionIntegrator.h"

#include <cmath>
#include <optional>

#include "qc/MetFormulas.h"

namespace velta {

namespace {

// Removes the points index ... end of series.
void truncate(DataSeries& series, int32_t index) {
    while (series.size() > index) series.removeAt(series.lastIndex());
}

// Distance (m) moved with the mean wind of component between t0 and t1, or nothing when the wind is
// missing at either end. The ends are wind times themselves, where interpolation answers the sample
// without looking at its neighbours, so an interval longer than the span is a gap in its own right.
// hint carries the lookup position along the increasing times of the track.
std::optional<double> displacement(const DataSeries& component, double t0, double t1, double span,
                                   std::size_t& hint) {
    if (std::fabs(t1 - t0) > span) return std::nullopt;
    const std::optional<double> a = component.interpolate(t0, span, hint);
    const std::optional<double> b = component.interpolate(t1, span, hint);
    if (!a || !b) return std::nullopt;
    return (*a + *b) / 2.0 * (t1 - t0);
}

}  // namespace

void PositionIntegrator::operator()(DataSeries& latitude, DataSeries& longitude) const {
    if (latitude.empty() || longitude.empty()) return;
    double lat = latitude.value(0);
    std::size_t hint = 0;
    for (int32_t i = 1; i < latitude.size(); ++i) {
        const std::optional<double> dy = displacement(*v_, latitude.time(i - 1), latitude.time(i), span_, hint);
        if (!dy) {
            truncate(latitude, i);
            break;
        }
        const double km = kmPerDegreeLatitude(lat);
        if (km > 0.0) lat += *dy * 0.001 / km;
        latitude.setValue(i, lat);
    }
    double lon = longitude.value(0);
    hint = 0;
    for (int32_t i = 1; i < longitude.size(); ++i) {
        // Each longitude step needs the latitude reached at the same point.
        const std::optional<double> dx =
            i < latitude.size() ? displacement(*u_, longitude.time(i - 1), longitude.time(i), span_, hint)
                                : std::nullopt;
        if (!dx) {
            truncate(longitude, i);
            break;
        }
        const double km = kmPerDegreeLongitude(latitude.value(i));
        if (km > 0.0) lon += *dx * 0.001 / km;
        longitude.setValue(i, lon);
    }
}

}  // namespace velta
