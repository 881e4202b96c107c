#include "levels/ExtrapolatedAltitudes.h"

#include "levels/StandardPressures.h"
#include "qc/MetFormulas.h"

namespace velta {

namespace {

constexpr double AssumedHumidity = 70.0;  // %, where none was measured
constexpr double Reach = 25.0;            // mb

// The level at standard pressure ps continued from the pressure point at time
// tEnd with pressure pEnd.
void addExtrapolated(LevelContext& ctx, double tEnd, double pEnd, double ps) {
    const std::optional<double> tempEnd = LevelContext::at(ctx.tdry, tEnd);
    const std::optional<double> altEnd = LevelContext::at(ctx.alt, tEnd);
    if (!tempEnd || !altEnd) return;
    const double humidity = LevelContext::at(ctx.rh, tEnd).value_or(AssumedHumidity);
    const std::optional<double> tempAt = ctx.extrapolatedTemperature(pEnd, *tempEnd, ps);
    if (!tempAt) return;
    Level level(LevelType::ExtrapolatedAltitude);
    level.set(LevelValue::Time, tEnd);
    level.set(LevelValue::Pres, ps);
    level.set(LevelValue::Alt, *altEnd + layerThickness(pEnd, ps, *tempEnd, *tempAt, humidity, humidity));
    ctx.add(level);
}

}  // namespace

void addExtrapolatedAltitudes(LevelContext& ctx) {
    const DataSeries& pres = ctx.pres;
    if (pres.empty()) return;

    const int32_t top = ctx.fromTop(pres, 0);
    const double pt = pres.value(top);
    for (double ps : StandardPressures) {
        const double d = ps - pt;
        if (-Reach <= d && d <= -0.01) {
            addExtrapolated(ctx, pres.time(top), pt, ps);
            break;
        }
    }

    if (ctx.ascending || ctx.surfacePointTime) return;
    const int32_t last = pres.lastIndex();
    const double pb = pres.value(last);
    for (double ps : StandardPressures) {
        const double d = ps - pb;
        if (1.0 < d && d <= Reach) {
            addExtrapolated(ctx, pres.time(last), pb, ps);
            break;
        }
    }
}

}  // namespace velta
