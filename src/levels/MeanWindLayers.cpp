#include "levels/MeanWindLayers.h"

#include <algorithm>

#include "sounding/DataPoint.h"

namespace velta {

namespace {

struct MeanWind {
    double u;
    double v;
    int32_t count;
};

// Mean of u and v over the point indices first ... last.
std::optional<MeanWind> meanWind(const LevelContext& ctx, int32_t first, int32_t last) {
    if (first > last) return std::nullopt;
    double su = 0.0, sv = 0.0;
    for (int32_t i = first; i <= last; ++i) {
        su += ctx.u.value(i);
        sv += ctx.v.value(i);
    }
    const int32_t n = last - first + 1;
    return MeanWind{su / n, sv / n, n};
}

}  // namespace

void addMeanWindLayers(LevelContext& ctx) {
    if (ctx.ascending) return;
    const DataSeries& speed = ctx.wspd;
    // The averages read u and v at the indices of the speed series; the four
    // wind series hold the same points, so only the common length is used.
    const int32_t n = std::min({speed.size(), ctx.u.size(), ctx.v.size()});
    const int32_t last = n - 1;
    const int32_t i0 = (n > 0 && speed.hasFlags(0, FlagLaunch)) ? 1 : 0;

    if (const std::optional<double> t500 = ctx.altitudeTime(500.0)) {
        int32_t first = 0;
        while (first < n && !(speed.time(first) > *t500)) ++first;
        const std::optional<MeanWind> mean = meanWind(ctx, first, last);
        if (mean && mean->count >= MinBoundaryLayerPoints) {
            Level level(LevelType::MeanBLWind62626);
            level.set(LevelValue::Time, *t500);
            level.set(LevelValue::Alt, 500.0);
            LevelContext::setWind(level, mean->u, mean->v);
            LevelContext::setAt(level, LevelValue::Pres, ctx.pres, *t500);
            ctx.add(level);
        }
    }

    if (n >= 3) {
        if (const std::optional<MeanWind> mean = meanWind(ctx, i0, last)) {
            Level level(LevelType::DeepLayerMeanWind62626);
            level.set(LevelValue::Time, speed.time(last));
            LevelContext::setWind(level, mean->u, mean->v);
            LevelContext::setAt(level, LevelValue::LayerTopPres, ctx.pres, speed.time(i0));
            if (LevelContext::setAt(level, LevelValue::LayerBottomPres, ctx.pres, speed.time(last)))
                level.set(LevelValue::Pres, level.value(LevelValue::LayerBottomPres));
            ctx.add(level);
        }
    }

    if (n >= 4) {
        const int32_t b = speed.hasFlags(last, FlagSurface) ? last - 1 : last;
        const double tb = speed.time(b);
        const std::optional<double> zb = LevelContext::at(ctx.alt, tb);
        if (!zb || *zb > 125.0) return;
        const std::optional<double> ttop = ctx.altitudeTime(*zb + 150.0);
        if (!ttop) return;
        int32_t first = i0;
        while (first <= b && speed.time(first) < *ttop) ++first;
        const std::optional<MeanWind> mean = meanWind(ctx, first, b);
        if (!mean) return;
        Level level(LevelType::LayerMeanWind150m62626);
        level.set(LevelValue::Time, tb);
        LevelContext::setWind(level, mean->u, mean->v);
        level.set(LevelValue::Alt, *zb + 75.0 + ctx.windLagOffset(tb));
        LevelContext::setAt(level, LevelValue::Pres, ctx.pres, tb);
        ctx.add(level);
    }
}

}  // namespace velta
