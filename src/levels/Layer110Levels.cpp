#include "levels/Layer110Levels.h"

namespace velta {

namespace {

// Index of the point of s on the low-pressure side of the 110 mb crossing
// whose pressure lies in [100, 110] mb, with data on the other side of the
// crossing too; its pressure through p. A drop takes the last point not later
// than the crossing, an ascent the first point not earlier than it.
std::optional<int32_t> pointAbove110(const LevelContext& ctx, const DataSeries& s, double& p) {
    const std::optional<double> t110 = ctx.pressureTime(110.0);
    if (!t110 || s.empty()) return std::nullopt;
    std::optional<int32_t> chosen;
    bool otherSide = false;
    if (!ctx.ascending) {
        for (int32_t i = 0; i < s.size(); ++i) {
            if (s.time(i) <= *t110) {
                chosen = i;
            } else {
                otherSide = true;
                break;
            }
        }
    } else {
        for (int32_t i = s.lastIndex(); i >= 0; --i) {
            if (s.time(i) >= *t110) {
                chosen = i;
            } else {
                otherSide = true;
                break;
            }
        }
    }
    if (!chosen || !otherSide) return std::nullopt;
    const std::optional<double> pressure = LevelContext::at(ctx.pres, s.time(*chosen));
    if (!pressure || *pressure < 100.0 || *pressure > 110.0) return std::nullopt;
    p = *pressure;
    return chosen;
}

}  // namespace

void add110mbTemperature(LevelContext& ctx) {
    double p = 0.0;
    const std::optional<int32_t> i = pointAbove110(ctx, ctx.tdry, p);
    if (!i) return;
    const double t = ctx.tdry.time(*i);
    Level level(LevelType::Temperature110To100);
    level.set(LevelValue::Time, t);
    level.set(LevelValue::Pres, p);
    level.set(LevelValue::Tdry, ctx.tdry.value(*i));
    LevelContext::setAt(level, LevelValue::RH, ctx.rh, t);
    ctx.add(level);
}

void add110mbWinds(LevelContext& ctx) {
    double p = 0.0;
    const std::optional<int32_t> i = pointAbove110(ctx, ctx.u, p);
    if (!i) return;
    const double t = ctx.u.time(*i);
    const std::optional<double> vValue = LevelContext::at(ctx.v, t);
    if (!vValue) return;
    Level level(LevelType::Winds110To100);
    level.set(LevelValue::Time, t);
    level.set(LevelValue::Pres, p);
    LevelContext::setWind(level, ctx.u.value(*i), *vValue);
    ctx.add(level);
}

}  // namespace velta
