#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../sounding/MemorySource.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "qc/CheckSteps.h"
#include "qc/MetFormulas.h"
#include "qc/QcRun.h"
#include "qc/SmoothingSteps.h"
#include "sounding/ProcessingLog.h"
#include "sounding/Sounding.h"

namespace velta {
namespace {

using test::MemorySource;

// A drop of 60 one-second records with every option at its catalogue default;
// the QC series are built from the records as the first QC step does.
struct Drop {
    MemorySource source;
    OptionStore store;
    ConfigSet options{store};
    ProcessingLog log;
    std::unique_ptr<Sounding> sounding;
    SoundingHeader header;
    std::unique_ptr<QcRun> run;

    explicit Drop(bool ascending = false, int records = 60,
                  void (*edit)(int, MemorySource::Record&) = nullptr) {
        RawData& d = source.data;
        d.ascending = ascending;
        d.pressure = 700, d.temperature = 5, d.rh = 50, d.speed = 10, d.direction = 270;
        for (int i = 0; i < records; ++i) {
            MemorySource::Record r{.time = double(i),
                                   .pres = 700.0 + (ascending ? -1.0 : 1.0) * i,
                                   .tdry = 5.0 + 0.05 * i,
                                   .rh1 = 50.0 + 0.2 * i,
                                   .wdir = 260.0 + 0.1 * i,
                                   .wspd = 10.0 + 0.05 * i,
                                   .dz = ascending ? 5.0 : -10.0,
                                   .sats = 8};
            if (edit) edit(i, r);
            source.add(r);
        }
        sounding = std::make_unique<Sounding>(source);
        sounding->rebuildQCSeries(-1.0, 0, false);
        header = sounding->header();
        run = std::make_unique<QcRun>(QcRun{*sounding, options, header, log, {}, false});
    }
    DataSeries& qc(const char* name) { return *sounding->series(name); }
    void set(const char* name, double v) { options.option(name)->setValue(v); }
    // Every wind series holds the same times.
    void expectWindsAligned() {
        const auto t = qc("QCWspd").times();
        for (const char* w : {"QCWdir", "QCU", "QCV"}) EXPECT_EQ(qc(w).times(), t) << w;
    }
};

TEST(CheckStepsTest, LimitChecksRemoveImplausibleSamples) {
    Drop drop(false, 60, [](int i, MemorySource::Record& r) {
        if (i == 10) r.pres = 0.0;
        if (i == 11) r.pres = 5000.0;
        if (i == 20) r.tdry = 300.0;
        if (i == 30) r.rh1 = 104.0;  // a wetted sensor in cloud: kept, capped at 100 %
        if (i == 31) r.rh1 = 105.0;
        if (i == 32) r.rh1 = 105.5;  // beyond what a sensor in cloud reads: removed
        if (i == 33) r.rh1 = -0.5;
        if (i == 40) r.wdir = 400.0;
        if (i == 41) r.wspd = 200.0;
    });
    applyLimitChecks(*drop.run);
    EXPECT_EQ(drop.qc("QCPres").size(), 61 - 2);
    EXPECT_EQ(drop.qc("QCTdry").size(), 61 - 1);
    const DataSeries& rh = drop.qc("QCRH");
    EXPECT_EQ(rh.size(), 61 - 2);
    EXPECT_EQ(rh.interpolate(30.0, 0.0), 100.0);
    EXPECT_EQ(rh.interpolate(31.0, 0.0), 100.0);
    EXPECT_FALSE(rh.interpolate(32.0, 0.0));
    EXPECT_FALSE(rh.interpolate(33.0, 0.0));
    for (int i = 0; i < rh.size(); ++i) EXPECT_LE(rh.value(i), 100.0);
    EXPECT_EQ(drop.qc("QCWspd").size(), 61 - 2);
    EXPECT_FALSE(drop.qc("QCU").interpolate(40.0, 0.0));
    EXPECT_FALSE(drop.qc("QCV").interpolate(41.0, 0.0));
    drop.expectWindsAligned();
    EXPECT_FALSE(drop.run->failed);
}

TEST(CheckStepsTest, SatelliteMinimumIsTruncated) {
    Drop drop(false, 10, [](int i, MemorySource::Record& r) { r.sats = i == 5 ? 4 : i == 6 ? 3 : 8; });
    drop.set("WindSats", 4.9);
    applySatelliteCheck(*drop.run);
    EXPECT_TRUE(drop.qc("QCWspd").interpolate(5.0, 0.0));  // 4 satellites meet a minimum of 4
    EXPECT_FALSE(drop.qc("QCWspd").interpolate(6.0, 0.0));
    EXPECT_EQ(drop.qc("QCWspd").size(), 10);
    drop.expectWindsAligned();
}

TEST(CheckStepsTest, SpikeChecksUseEachQuantitysOptions) {
    Drop drop(false, 60, [](int i, MemorySource::Record& r) {
        if (i == 20) r.tdry += 8.0;   // buddy spike (slope 8 > TdryBuddySlope 3)
        if (i == 30) r.wspd += 30.0;  // buddy spike in the winds
        if (i == 40) r.rh1 += 15.0;   // below RHBuddySlope 20, far from the line and the curve
    });
    applyBuddyCheck(*drop.run);
    EXPECT_FALSE(drop.qc("QCTdry").interpolate(20.0, 0.0));
    EXPECT_FALSE(drop.qc("QCU").interpolate(30.0, 0.0));
    EXPECT_TRUE(drop.qc("QCRH").interpolate(40.0, 0.0));
    drop.expectWindsAligned();

    applyOutlierCheck(*drop.run);
    EXPECT_TRUE(drop.qc("QCRH").interpolate(40.0, 0.0));  // 10 sigma not reached by one sample of 61
    drop.set("RHOutlier", 3.0);
    applyOutlierCheck(*drop.run);
    EXPECT_FALSE(drop.qc("QCRH").interpolate(40.0, 0.0));
    EXPECT_EQ(drop.qc("QCRH").size(), 60);
    EXPECT_FALSE(drop.run->failed);
}

TEST(CheckStepsTest, FilterCheckReportsFailedFitsPerQuantity) {
    Drop drop(false, 60, [](int i, MemorySource::Record& r) {
        if (i == 25) r.pres += 6.0;  // more than PresQCDev 3 off the curve
    });
    drop.set("TdryQCWL", 0.0);  // no spline of zero wavelength
    drop.set("WindQCWL", 0.0);
    const auto tdryBefore = drop.qc("QCTdry").values();
    applyFilterCheck(*drop.run);
    EXPECT_EQ(drop.run->errorText, "Filter check failed for Tdry\nFilter check failed for winds\n");
    EXPECT_TRUE(drop.run->failed);
    EXPECT_EQ(drop.qc("QCTdry").values(), tdryBefore);
    EXPECT_FALSE(drop.qc("QCPres").interpolate(25.0, 0.0));
    EXPECT_EQ(drop.qc("QCPres").value(0), 700.0);  // launch point not tested

    // Two pressure points: nothing to check, nothing reported.
    Drop shortDrop(false, 1);
    ASSERT_EQ(shortDrop.qc("QCPres").size(), 2);
    shortDrop.set("PresQCDev", 0.0);
    applyFilterCheck(*shortDrop.run);
    EXPECT_EQ(shortDrop.qc("QCPres").size(), 2);
    EXPECT_EQ(shortDrop.run->errorText.find("pressure"), std::string::npos);
}

TEST(CheckStepsTest, PressureMonoCheckFollowsTheDirection) {
    auto dip = [](int i, MemorySource::Record& r) {
        if (i == 10) r.pres -= 5.0;
    };
    Drop down(false, 30, dip);
    applyPressureMonoCheck(*down.run);
    EXPECT_FALSE(down.qc("QCPres").interpolate(10.0, 0.0));
    EXPECT_EQ(down.qc("QCPres").size(), 30);

    Drop up(true, 30, [](int i, MemorySource::Record& r) {
        if (i == 10) r.pres += 5.0;
    });
    applyPressureMonoCheck(*up.run);
    EXPECT_FALSE(up.qc("QCPres").interpolate(10.0, 0.0));
    EXPECT_EQ(up.qc("QCPres").size(), 30);
}

TEST(CheckStepsTest, SmoothingStepsReportFailuresWithTheirLines) {
    Drop drop;
    drop.set("PresSmoothWL", 0.0);
    drop.set("TdrySmoothWL", 0.0);
    drop.set("WindSmoothWL", 0.0);
    const auto u = drop.qc("QCU").values(), v = drop.qc("QCV").values();
    const auto speed = drop.qc("QCWspd").values(), dir = drop.qc("QCWdir").values();
    smoothPressure(*drop.run);
    smoothFinal(*drop.run);
    EXPECT_EQ(drop.run->errorText,
              "Final smoothing failed for pressure\n"
              "Final smoothing failed for tdry\n"
              "Final smoothing failed for winds\n");
    EXPECT_EQ(drop.qc("QCU").values(), u);
    EXPECT_EQ(drop.qc("QCV").values(), v);
    EXPECT_EQ(drop.qc("QCWspd").values(), speed);
    EXPECT_EQ(drop.qc("QCWdir").values(), dir);
}

TEST(CheckStepsTest, FinalSmoothingRecomputesSpeedAndDirectionFromComponents) {
    Drop drop(false, 60, [](int i, MemorySource::Record& r) { r.wspd += (i % 2) ? 1.0 : -1.0; });
    smoothFinal(*drop.run);
    EXPECT_FALSE(drop.run->failed);
    DataSeries& speed = drop.qc("QCWspd");
    for (int32_t i = 0; i < speed.size(); ++i) {
        double s = 0, d = 0;
        windSpeedDirection(drop.qc("QCU").value(i), drop.qc("QCV").value(i), s, d);
        EXPECT_EQ(speed.value(i), s);
        EXPECT_EQ(drop.qc("QCWdir").value(i), d);
    }
    EXPECT_NEAR(speed.value(30), 10.0 + 0.05 * 30, 0.3);  // the alternating +-1 is smoothed away
}

TEST(CheckStepsTest, VerticalVelocityStepAndCheck) {
    Drop drop(false, 60, [](int i, MemorySource::Record& r) {
        if (i == 20) r.dz = +5.0;  // the GPS disagrees at one moment
    });
    computeVerticalVelocity(*drop.run);
    DataSeries& dz = drop.qc("QCDz");
    ASSERT_EQ(dz.size(), 60);  // no point at the flagged launch point
    EXPECT_EQ(dz.time(0), 0.0);
    EXPECT_LT(dz.value(30), 0.0);  // pressure rises with time: falling

    // The hydrostatic rate of this drop is about -11 m/s; widen the limit to pass the others.
    drop.set("WindVVdelta", 5.0);
    applyVerticalVelocityCheck(*drop.run);
    EXPECT_FALSE(drop.qc("QCWspd").interpolate(20.0, 0.0));
    EXPECT_EQ(drop.qc("QCWspd").size(), 60);
    drop.expectWindsAligned();

    Drop ascent(true, 60);
    computeVerticalVelocity(*ascent.run);
    EXPECT_GT(ascent.qc("QCDz").value(30), 0.0);
    ascent.set("WindVVdelta", 0.0);
    applyVerticalVelocityCheck(*ascent.run);
    EXPECT_EQ(ascent.qc("QCWspd").size(), 61);
}

TEST(CheckStepsTest, HumidityFloor) {
    Drop drop(false, 5, [](int i, MemorySource::Record& r) { r.rh1 = i == 2 ? 0.19 : 0.2; });
    limitLowHumidity(*drop.run);
    for (int32_t i = 0; i < drop.qc("QCRH").size(); ++i) {
        const double expected = i == 0 ? 50.0 : 0.2;
        EXPECT_EQ(drop.qc("QCRH").value(i), expected);
    }
}

}  // namespace
}  // namespace velta
