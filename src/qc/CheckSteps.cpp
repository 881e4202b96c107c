#include "qc/CheckSteps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "qc/BuddyCheck.h"
#include "qc/FilterCheck.h"
#include "qc/LimitCheck.h"
#include "qc/LowerLimiter.h"
#include "qc/OutlierCheck.h"
#include "qc/PressureMonoCheck.h"
#include "qc/QcOptionValue.h"
#include "qc/SatelliteCheck.h"
#include "qc/SeriesGroup.h"
#include "qc/VerticalVelocityCheck.h"

namespace velta {

namespace {

// One checked quantity: its group and the stem of its option names.
struct Checked {
    SeriesGroup group;
    const char* stem;     // "Pres", "Tdry", "RH", "Wind"
    const char* failure;  // filter check failure line
};

std::vector<Checked> checkedQuantities(Sounding& s) {
    std::vector<Checked> out;
    out.reserve(4);
    out.push_back({SeriesGroup::single(s, "QCPres"), "Pres", "Filter check failed for pressure\n"});
    out.push_back({SeriesGroup::single(s, "QCTdry"), "Tdry", "Filter check failed for Tdry\n"});
    out.push_back({SeriesGroup::single(s, "QCRH"), "RH", "Filter check failed for RH\n"});
    out.push_back({SeriesGroup::winds(s), "Wind", "Filter check failed for winds\n"});
    return out;
}

std::string optionName(const char* stem, const char* role) { return std::string(stem) + role; }

// An option holding a count, truncated towards zero and kept within int32.
int32_t truncatedCount(double v) {
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::trunc(std::clamp(v, lo, hi)));
}

}  // namespace

void applyLimitChecks(QcRun& run) {
    Sounding& s = run.sounding;
    const LimitCheck check;
    SeriesGroup pres = SeriesGroup::single(s, "QCPres");
    SeriesGroup tdry = SeriesGroup::single(s, "QCTdry");
    SeriesGroup rh = SeriesGroup::single(s, "QCRH");
    SeriesGroup speedFirst = SeriesGroup::winds(s);
    SeriesGroup directionFirst = SeriesGroup::windsByDirection(s);
    check(pres, 1.0, 1200.0);
    check(tdry, -100.0, 50.0);
    check(rh, 0.0, kHumidityKeptUpTo);
    if (DataSeries* qcRh = s.series("QCRH")) capValues(*qcRh, 100.0);
    check(speedFirst, 0.0, 150.0);
    check(directionFirst, 0.0, 360.0);
}

void applySatelliteCheck(QcRun& run) {
    const DataSeries* sats = run.sounding.series("RawSats");
    if (!sats) return;
    SeriesGroup winds = SeriesGroup::winds(run.sounding);
    SatelliteCheck{}(*sats, winds, truncatedCount(optionOrDefault(run, "WindSats")));
}

void applyBuddyCheck(QcRun& run) {
    for (Checked& c : checkedQuantities(run.sounding))
        BuddyCheck{}(c.group, optionOrDefault(run, optionName(c.stem, "BuddySlope")));
}

void applyOutlierCheck(QcRun& run) {
    for (Checked& c : checkedQuantities(run.sounding))
        OutlierCheck{}(c.group, optionOrDefault(run, optionName(c.stem, "Outlier")));
}

void applyFilterCheck(QcRun& run) {
    for (Checked& c : checkedQuantities(run.sounding)) {
        bool failed = false;
        FilterCheck{}(c.group, optionOrDefault(run, optionName(c.stem, "QCDev")),
                      optionOrDefault(run, optionName(c.stem, "QCWL")), failed);
        if (failed) run.fail(c.failure);
    }
}

void applyPressureMonoCheck(QcRun& run) {
    if (DataSeries* pres = run.sounding.series("QCPres")) PressureMonoCheck{}(*pres, run.ascending());
}

void applyVerticalVelocityCheck(QcRun& run) {
    if (run.ascending()) return;
    const DataSeries* qcDz = run.sounding.series("QCDz");
    const DataSeries* rawDz = run.sounding.series("RawDz");
    if (!qcDz || !rawDz) return;
    SeriesGroup winds = SeriesGroup::winds(run.sounding);
    VerticalVelocityCheck{}(winds, *qcDz, *rawDz, run.number("WindVVdelta", 2.5));
}

void limitLowHumidity(QcRun& run) {
    if (DataSeries* rh = run.sounding.series("QCRH")) {
        LowerLimiter{}(*rh, 0.2);
        // Smoothing a saturated layer can overshoot the cap of the limit check.
        capValues(*rh, 100.0);
    }
}

}  // namespace velta
