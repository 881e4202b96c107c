#include "levels/InversionLevels.h"

#include <cmath>
#include <vector>

namespace velta {

namespace {

constexpr double TopPressure = 300.0;       // mb; inversions are looked for below it
constexpr double MinDepth = 20.0;           // mb
constexpr double MinTemperatureStep = 2.5;  // deg C
constexpr double SameLogPressure = 1e-10;

}  // namespace

void addInversionLevels(LevelContext& ctx) {
    // Named references rather than a structured binding: the lambda below captures them.
    auto common = ctx.pres.commonTimes(ctx.tdry);
    DataSeries& pres = common.first;
    DataSeries& tdry = common.second;
    if (pres.empty() || tdry.empty()) return;

    // The natural logarithm of the paired pressures.
    DataSeries logPres(pres, "LogPres");
    for (int32_t i = 0; i < logPres.size(); ++i) logPres.setValue(i, std::log(pres.value(i)));

    // The bottom of the sounding is its last pair for a drop and its first for an ascent.
    const int32_t bottom = ctx.ascending ? 0 : pres.lastIndex();
    const int32_t top = ctx.ascending ? pres.lastIndex() : 0;
    if (pres.value(bottom) < TopPressure) return;
    if (pres.value(top) < TopPressure) {
        const std::optional<double> t300 = logPres.timeAtValue(std::log(TopPressure));
        if (t300) {
            if (ctx.ascending) {
                pres.removeAfter(*t300);
                tdry.removeAfter(*t300);
                logPres.removeAfter(*t300);
            } else {
                pres.removeUpTo(*t300);
                tdry.removeUpTo(*t300);
                logPres.removeUpTo(*t300);
            }
        }
    }

    const int32_t n = pres.size();
    // True when the segment from k to k + 1 has the temperature not rising with pressure.
    auto inverted = [&](int32_t k) {
        const double dlp = logPres.value(k + 1) - logPres.value(k);
        if (!(std::fabs(dlp) > SameLogPressure)) return false;
        return (tdry.value(k + 1) - tdry.value(k)) / dlp <= 0.0;
    };

    const LevelType startType = ctx.ascending ? LevelType::InversionBottom : LevelType::InversionTop;
    const LevelType endType = ctx.ascending ? LevelType::InversionTop : LevelType::InversionBottom;
    int32_t i = 0;
    while (i + 1 < n) {
        if (!inverted(i)) {
            ++i;
            continue;
        }
        int32_t j = i;
        while (inverted(j) && j + 2 != n) ++j;
        const int32_t s = i;
        const bool deep = std::fabs(pres.value(j) - pres.value(s)) > MinDepth;
        const bool strong = std::fabs(tdry.value(s) - tdry.value(j + 1)) > MinTemperatureStep;
        if (deep || strong) {
            for (auto [k, type] : {std::pair{s, startType}, std::pair{j, endType}}) {
                const double t = pres.time(k);
                Level level(type);
                level.set(LevelValue::Time, t);
                level.set(LevelValue::Pres, pres.value(k));
                level.set(LevelValue::Tdry, tdry.value(k));
                LevelContext::setAt(level, LevelValue::RH, ctx.rh, t);
                ctx.add(level);
            }
        }
        i = j + 1;
    }
}

}  // namespace velta
