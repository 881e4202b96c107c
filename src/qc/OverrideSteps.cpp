#include "qc/OverrideSteps.h"

#include "qc/LaunchOverride.h"
#include "qc/MetFormulas.h"
#include "qc/OffsetAdder.h"
#include "qc/PressureAdjustment.h"
#include "qc/SurfaceObservation.h"
#include "sounding/DataPoint.h"

namespace velta {

namespace {

bool hitSurface(const QcRun& run) { return run.hitSurface(); }

}  // namespace

void setLaunchOverrides(QcRun& run) {
    const int32_t launchFlag = run.ascending() ? FlagSurface : FlagLaunch;
    auto apply = [&](const char* key, const char* option) -> int32_t {
        DataSeries* s = run.sounding.series(key);
        return s ? applyLaunchOverride(*s, run.options, option, launchFlag) : -1;
    };
    apply("QCPres", "launchPresOverride");
    apply("QCTdry", "launchTdryOverride");
    apply("QCRH", "launchRhOverride");
    apply("QCLat", "launchLatOverride");
    apply("QCLon", "launchLonOverride");
    const int32_t speedAt = apply("QCWspd", "launchWspdOverride");
    const int32_t directionAt = apply("QCWdir", "launchWdirOverride");
    if (speedAt < 0 || directionAt < 0) return;
    const std::optional<double> speed = run.options.numericValue("launchWspdOverride");
    const std::optional<double> direction = run.options.numericValue("launchWdirOverride");
    if (!speed || !direction) return;
    double u = 0.0, v = 0.0;
    windComponents(*speed, *direction, u, v);
    if (DataSeries* s = run.sounding.series("QCU")) setLaunchValue(*s, u, launchFlag);
    if (DataSeries* s = run.sounding.series("QCV")) setLaunchValue(*s, v, launchFlag);
}

void applySensorOffsets(QcRun& run) {
    for (auto [key, option] :
         {std::pair{"QCPres", "PresOffset"}, {"QCTdry", "TdryOffset"}, {"QCRH", "RHOffset"}}) {
        DataSeries* s = run.sounding.series(key);
        if (s) OffsetAdder{run.number(option, 0.0)}(*s);
    }
}

void adjustPressureToSurface(QcRun& run) {
    if (!hitSurface(run)) return;
    const std::optional<double> surfacePressure = run.options.numericValue("sfcPresOverride");
    if (!surfacePressure) return;
    if (DataSeries* pressure = run.sounding.series("QCPres")) PressureAdjustment{*surfacePressure}(*pressure);
}

void extrapolateSurfaceObservation(QcRun& run) {
    if (!hitSurface(run)) return;
    Sounding& s = run.sounding;
    SurfaceObservation::Series series;
    series.pressure = s.series("QCPres");
    series.temperature = s.series("QCTdry");
    series.humidity = s.series("QCRH");
    series.fallRate = s.series("QCDz");
    series.time = s.series("QCTime");
    SurfaceObservation{}(series, run.log);
}

}  // namespace velta
