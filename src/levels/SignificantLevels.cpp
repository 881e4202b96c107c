#include "levels/SignificantLevels.h"

#include "levels/EndLevels.h"
#include "levels/ExtrapolatedAltitudes.h"
#include "levels/GapLevels.h"
#include "levels/GdlMethod.h"
#include "levels/InversionLevels.h"
#include "levels/Layer110Levels.h"
#include "levels/LevelOrder.h"
#include "levels/LevelSelection.h"
#include "levels/MaxWindLevels.h"
#include "levels/MeanWindLayers.h"
#include "levels/StandardLevels.h"
#include "levels/StationBaseLevel.h"
#include "levels/SurfaceLevels.h"
#include "levels/TropopauseFinder.h"

namespace velta {

namespace {

// "Tropopause" levels at the times the tropopause search finds, with the
// unsmoothed values there.
void addTropopauseLevels(LevelContext& ctx) {
    const TropopauseFinder finder(ctx.tdry, ctx.alt, ctx.pres, ctx.options.tropSmoothWL, ctx.ascending);
    for (double t : finder.times()) {
        const std::optional<double> p = LevelContext::at(ctx.pres, t);
        if (!p) continue;
        Level level(LevelType::Tropopause);
        level.set(LevelValue::Time, t);
        level.set(LevelValue::Pres, *p);
        LevelContext::setAt(level, LevelValue::Alt, ctx.alt, t);
        LevelContext::setAt(level, LevelValue::Tdry, ctx.tdry, t);
        LevelContext::setAt(level, LevelValue::RH, ctx.rh, t);
        ctx.setWindAt(level, t);
        ctx.add(level);
    }
}

using Step = void (*)(LevelContext&);

struct StepEntry {
    const char* name;
    Step run;
};

// The order matters: later steps work on the levels earlier ones made.
const std::array<StepEntry, 17>& steps() {
    static const std::array<StepEntry, 17> table = {{
        {"surfce thermodynamic", addSurfaceThermodynamic},
        {"surface winds", addSurfaceWinds},
        {"missing temperature", addMissingTemperatureLevels},
        {"highest thermodynamic",
         [](LevelContext& c) {
             addEndThermodynamic(c, SoundingEnd::Top, LevelType::UppermostThermodynamic);
         }},
        {"110 mb thermodynamic", add110mbTemperature},
        {"inversions", addInversionLevels},
        {"station base pressure", addStationBasePressure},
        {"110 mb wind", add110mbWinds},
        {"highest wind", [](LevelContext& c) { addEndWind(c, SoundingEnd::Top, LevelType::UppermostWinds); }},
        {"extrapolate mandatory altitude", addExtrapolatedAltitudes},
        {"GDL thermodynamic", addGdlThermodynamic},
        {"GDL winds", addGdlWinds},
        {"tropopause", addTropopauseLevels},
        {"missing RH", addMissingHumidityLevels},
        {"standard", addStandardLevels},
        {"maxwind", addMaxWindLevels},
        {"62626", addMeanWindLayers},
    }};
    return table;
}

}  // namespace

const std::array<const char*, 17>& SignificantLevels::stepNames() {
    static const std::array<const char*, 17> names = [] {
        std::array<const char*, 17> out{};
        for (std::size_t k = 0; k < out.size(); ++k) out[k] = steps()[k].name;
        return out;
    }();
    return names;
}

SignificantLevels::SignificantLevels(StatusReporter& progress, const LevelSeries& series,
                                     const LevelOptions& options, double surfaceAltitude)
    : ctx_(series, options, surfaceAltitude) {
    for (const StepEntry& step : steps()) {
        progress.setStep(step.name);
        step.run(ctx_);
    }
    sortLevels(ctx_.levels);
}

void SignificantLevels::setExcluded(std::size_t index, bool excluded) {
    if (index < ctx_.levels.size()) ctx_.levels[index].setExcluded(excluded);
}

std::vector<Level> SignificantLevels::select(const std::vector<LevelType>& types, double pmin, double pmax,
                                             bool includeExcluded) const {
    return selectLevels(ctx_.levels, types, pmin, pmax, includeExcluded);
}

std::vector<Level> SignificantLevels::pressureOrdered() const { return pressureOrderedLevels(ctx_.levels); }

std::vector<std::vector<std::string>> SignificantLevels::listing() const { return levelListing(ctx_.levels); }

std::vector<LevelGraphPoint> SignificantLevels::graphPoints(LevelValue x, LevelValue y) const {
    return levelGraphPoints(ctx_.levels, x, y);
}

}  // namespace velta
