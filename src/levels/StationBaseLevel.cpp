#include "levels/StationBaseLevel.h"

namespace velta {

std::optional<double> stationBasePressure(double zs) {
    if (zs < 1000.0) return 850.0;
    if (zs <= 1400.0) return 800.0;
    if (zs <= 2000.0) return 750.0;
    return std::nullopt;
}

void addStationBasePressure(LevelContext& ctx) {
    if (!ctx.surfaceKnown) return;
    const std::optional<double> base = stationBasePressure(ctx.surfaceAltitude);
    if (!base) return;
    const std::optional<double> t = ctx.pressureTime(*base);
    if (!t) return;
    Level level(LevelType::StationBasePressure);
    level.set(LevelValue::Time, *t);
    level.set(LevelValue::Pres, *base);
    LevelContext::setAt(level, LevelValue::Tdry, ctx.tdry, *t);
    LevelContext::setAt(level, LevelValue::RH, ctx.rh, *t);
    ctx.add(level);
}

}  // namespace velta
