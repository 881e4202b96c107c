#include "qc/SurfaceObservation.h"

#include <algorithm>
#include <optional>

#include "qc/LabelledValue.h"
#include "qc/MetFormulas.h"
#include "qc/SurfacePoint.h"

namespace velta {

namespace {

bool hasData(const DataSeries* s) { return s && !s->empty(); }

std::optional<double> atOrBeyond(const DataSeries* s, double t, double span) {
    if (!s) return std::nullopt;
    return s->valueAtOrBeyond(t, span);
}

// 1 mb per 8.7 m, used when no temperature is known near the ground.
constexpr double kMbPerMetre = 0.1149425287356322;
constexpr double kDefaultSurfaceRh = 70.0;

}  // namespace

bool SurfaceObservation::operator()(const Series& series, ProcessingLog& log) const {
    bool anyData = false;
    double lastTime = 0.0;
    for (const DataSeries* s : {series.pressure, series.temperature, series.humidity}) {
        if (!hasData(s)) continue;
        const double t = s->time(s->lastIndex());
        lastTime = anyData ? std::max(lastTime, t) : t;
        anyData = true;
    }
    if (!anyData || !hasData(series.pressure)) return false;

    const double w = atOrBeyond(series.fallRate, lastTime, 10.0).value_or(DefaultFallRate);
    const double fall = w * TimeToSurface;
    if (fall > 0.0) return false;
    const double surfaceTime = lastTime + TimeToSurface;

    const double rh =
        std::clamp(atOrBeyond(series.humidity, lastTime, 3.0).value_or(kDefaultSurfaceRh), 0.0, 100.0);
    const std::optional<double> lastPressure = atOrBeyond(series.pressure, lastTime, 20.0);
    if (!lastPressure) return false;
    const std::optional<double> temperature = atOrBeyond(series.temperature, lastTime, 3.0);
    double surfacePressure =
        temperature ? pressureAtHeight(*lastPressure, *temperature, *temperature, rh, rh, 0.0, fall)
                    : *lastPressure - fall * kMbPerMetre;
    // The ground is below the last sample: its pressure is not lower than the last one measured.
    surfacePressure = std::max(surfacePressure, series.pressure->value(series.pressure->lastIndex()));

    if (!appendSurfacePoint(*series.pressure, surfaceTime, surfacePressure)) return false;
    log.add(LogCategory, labelledValue("Extrapolated surface time: ", surfaceTime, 1, "s"));
    log.add(LogCategory, labelledValue("Fall distance from last frame: ", -fall, 1, "m"));
    log.add(LogCategory, labelledValue("Extrapolated surface pressure: ", surfacePressure, 1, "mb"));
    if (temperature && series.temperature &&
        appendSurfacePoint(*series.temperature, surfaceTime, *temperature))
        log.add(LogCategory, labelledValue("Extrapolated surface temperature: ", *temperature, 1, "C"));
    if (series.humidity && appendSurfacePoint(*series.humidity, surfaceTime, rh))
        log.add(LogCategory, labelledValue("Extrapolated surface rh: ", rh, 1, "%"));
    if (series.time) appendSurfacePoint(*series.time, surfaceTime, surfaceTime);
    return true;
}

}  // namespace velta
