// The drop diagnosis on simulated problem drops and good ones: the findings
// each problem gives, no coded level the sonde did not measure, the surface
// of a drop lost in mid-air extrapolated, and no finding nor any change of
// the message for good drops.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "TestData.h"
#include "TruthCsv.h"
#include "TruthProfile.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "config/OverrideOptions.h"
#include "document/SoundingProcessor.h"
#include "wmo/TempDecoder.h"

namespace velta {
namespace {

using sim::DropKind;
using sim::Scenario;

struct Pipeline {
    OptionStore store;
    ConfigSet options{store};
    SoundingProcessor processor{options, "1.0.0"};

    explicit Pipeline(bool autoDetect = true) { options.option("SfcAutoDetect")->setValue(autoDetect ? 1 : 0); }
    void run(const std::string& fileText) {
        std::istringstream in(fileText);
        ASSERT_TRUE(processor.load("D.1", in));
        processor.processAll();
        ASSERT_NE(processor.message(), nullptr);
    }
    std::vector<FindingKind> kinds() const {
        std::vector<FindingKind> k;
        for (const DropFinding& f : processor.findings()) k.push_back(f.kind);
        return k;
    }
    DecodedMessage decoded() const {
        DecodeResult r = decodeTempMessages(processor.message()->text(false));
        EXPECT_EQ(r.messages.size(), 1u);
        EXPECT_TRUE(r.problems.empty());
        return r.messages.empty() ? DecodedMessage{} : r.messages.front();
    }
};

struct Drop {
    sim::DropSettings settings;
    std::string file;
    test::TruthProfile truth;
};

Drop simulate(sim::DropSettings s) {
    sim::applyLayout(s);
    sim::SimulatedDrop drop = sim::simulateDrop(s);
    return {s, sim::formatDFile(s, drop), test::TruthProfile(sim::formatTruthCsv(s, drop), true)};
}

sim::DropSettings settings(DropKind kind, Scenario scenario, double endPressure, std::uint64_t seed) {
    sim::DropSettings s = sim::defaultSettings(kind);
    s.seed = seed;
    s.scenario = scenario;
    if (scenario != Scenario::Good) s.formatVersion = 1.7;
    s.endPressure = endPressure;
    return s;
}

// The pressures the sonde measured, from the truth: from the launch (or the
// first data of a late acquisition) to the failure, the lost signal or the surface.
std::pair<double, double> measuredRange(const Drop& d) {
    auto& meta = d.truth.meta;
    double top = d.settings.launchPressure, bottom = meta.at("surface_pressure_mb");
    if (meta.count("failure_pressure_mb")) bottom = meta.at("failure_pressure_mb");
    if (d.settings.endPressure > 0) bottom = d.settings.endPressure;
    if (meta.count("first_data_time_s")) top = d.truth.at("pressure_mb", meta.at("first_data_time_s"));
    return {top, bottom};
}

// Every level the message gives values for lies in the measured range and
// agrees with the truth; the surface of a drop that did not reach it is
// missing or marked extrapolated.
void checkNothingUnmeasured(const Pipeline& p, const Drop& d) {
    const auto [top, bottom] = measuredRange(d);
    const DecodedMessage m = p.decoded();
    bool extrapolated = false;
    for (const DecodedPart& part : m.parts) extrapolated = extrapolated || part.extrapolatedSurface;
    for (const DecodedLevel& l : m.levels) {
        if (!l.pressure) continue;
        const double pres = *l.pressure;
        SCOPED_TRACE(std::string(levelKindName(l.kind)) + " " + std::to_string(pres) + " mb");
        const bool surfaceLevel = l.kind == DecodedLevelKind::Surface ||
                                  l.kind == DecodedLevelKind::SignificantTemperature ||
                                  l.kind == DecodedLevelKind::SignificantWind;
        if (surfaceLevel && pres > bottom + 1.0) {
            EXPECT_TRUE(extrapolated) << "a surface below the last data is coded as measured";
            EXPECT_FALSE(l.temperature.has_value());
            continue;
        }
        if (l.kind == DecodedLevelKind::ExtrapolatedAltitude) continue;
        const bool hasValues = l.height || l.temperature || l.speed;
        if (!hasValues) continue;
        EXPECT_GE(pres, top - 1.0);
        EXPECT_LE(pres, bottom + 1.0);
        if (l.kind == DecodedLevelKind::Standard) {
            if (l.temperature) {
                EXPECT_NEAR(*l.temperature, d.truth.atPressure("temperature_c", pres), 1.0);
            }
            if (l.height && pres > 500) {
                EXPECT_NEAR(*l.height, d.truth.atPressure("geopotential_alt_m", pres), 30.0);
            }
        }
    }
}

TEST(DropDiagnosis, ProblemDropsGiveTheirFindingsAndCodeNothingUnmeasured) {
    using K = FindingKind;
    struct Case {
        const char* name;
        DropKind kind;
        Scenario scenario;
        double endPressure;
        std::vector<FindingKind> expected;
    };
    const Case cases[] = {
        {"failed hurricane sonde", DropKind::Hurricane, Scenario::FailedSonde, 0, {K::EndOfFall, K::SignalLost}},
        {"failed research sonde", DropKind::Research, Scenario::FailedSonde, 0, {K::EndOfFall, K::SignalLost}},
        {"late acquisition", DropKind::Research, Scenario::LateAcquisition, 0, {K::LaunchPoint}},
        {"lost at 955 mb", DropKind::Hurricane, Scenario::Good, 955, {K::SignalLost}},
        {"lost at 850 mb", DropKind::Hurricane, Scenario::Good, 850, {K::SignalLost}},
        {"lost at 500 mb", DropKind::Research, Scenario::Good, 500, {K::SignalLost}},
    };
    for (const Case& c : cases) {
        for (std::uint64_t seed : {1u, 2u}) {
            SCOPED_TRACE(std::string(c.name) + ", seed " + std::to_string(seed));
            const Drop d = simulate(settings(c.kind, c.scenario, c.endPressure, seed));
            Pipeline p;
            p.run(d.file);
            EXPECT_EQ(p.kinds(), c.expected);
            for (const DropFinding& f : p.processor.findings()) {
                EXPECT_FALSE(f.text.empty());
                EXPECT_FALSE(f.action.empty());
            }
            checkNothingUnmeasured(p, d);
            const auto& findings = p.processor.logLines(kDiagnosisCategory);
            EXPECT_EQ(findings.size(), c.expected.size());
        }
    }
}

TEST(DropDiagnosis, FailedSondeIsCutWhereItFailed) {
    const Drop d = simulate(settings(DropKind::Research, Scenario::FailedSonde, 0, 1));
    Pipeline p;
    p.run(d.file);
    ASSERT_FALSE(p.processor.findings().empty());
    const DropFinding& end = p.processor.findings().front();
    EXPECT_NEAR(end.time, d.truth.meta.at("failure_time_s"), 1.0);
    EXPECT_NEAR(end.pressure, d.truth.meta.at("failure_pressure_mb"), 1.0);
    const DataSeries* pres = p.processor.engine()->series("QCPres");
    ASSERT_NE(pres, nullptr);
    EXPECT_LE(pres->time(pres->lastIndex()), end.time + 0.01);
    EXPECT_LT(pres->value(pres->lastIndex()), d.truth.meta.at("failure_pressure_mb") + 1.0);
}

// The bundled drop lost at 955 mb, with the default settings.
TEST(DropDiagnosis, BundledLostDropCodesTheExtrapolatedSurfacePressure) {
    const std::string file = test::readFile(test::sourcePath("samples/D20250915_181630.1"));
    const test::TruthProfile truth(test::sourcePath("samples/truth/D20250915_181630.csv"));
    Pipeline p;
    p.run(file);
    EXPECT_EQ(p.kinds(), std::vector<FindingKind>{FindingKind::SignalLost});
    EXPECT_FALSE(p.processor.engine()->hitSurface());
    const DecodedMessage m = p.decoded();
    ASSERT_FALSE(m.parts.empty());
    EXPECT_TRUE(m.parts.front().extrapolatedSurface);
    int surfaces = 0;
    for (const DecodedLevel& l : m.levels) {
        if (l.kind != DecodedLevelKind::Surface) continue;
        ++surfaces;
        ASSERT_TRUE(l.pressure.has_value());
        EXPECT_NEAR(*l.pressure, truth.meta.at("surface_pressure_mb"), 2.0);
        EXPECT_FALSE(l.temperature.has_value());
    }
    EXPECT_EQ(surfaces, 1);

    // With the automatic decision off, the stored "hit surface" rules as before,
    // and the finding still tells what was seen.
    Pipeline off(false);
    off.run(file);
    EXPECT_TRUE(off.processor.engine()->hitSurface());
    ASSERT_EQ(off.processor.findings().size(), 1u);
    EXPECT_NE(off.processor.findings()[0].action.find("Not acted on"), std::string::npos);
    EXPECT_NE(off.processor.message()->text(false), p.processor.message()->text(false));

    // The operator's choice for this drop wins over the diagnosis and is never saved.
    Pipeline chosen;
    chosen.options.addNumeric(kHitSurfaceOverride, 1, 1, 1, false);
    chosen.run(file);
    EXPECT_TRUE(chosen.processor.engine()->hitSurface());
    EXPECT_EQ(chosen.processor.message()->text(false), off.processor.message()->text(false));
    EXPECT_FALSE(chosen.options.option(kHitSurfaceOverride)->bound());
}

// Whether the lost drop reached the surface depends on where the surface is:
// unknown, nothing can be said; 470 m up (a drop over land), it did.
TEST(DropDiagnosis, SurfaceDecisionFollowsTheSurfaceAltitude) {
    const std::string file = test::readFile(test::sourcePath("samples/D20250915_181630.1"));
    struct Case {
        const char* option;
        double value;
        bool lost;
    };
    for (const Case& c : {Case{"SfcAltUnknown", 1, false}, Case{"sfcAltOverride", 470, false},
                          Case{"sfcAltOverride", 300, true}}) {
        SCOPED_TRACE(std::string(c.option) + " " + std::to_string(c.value));
        Pipeline p;
        if (ConfigOption* o = p.options.option(c.option))
            o->setValue(c.value);
        else
            p.options.addNumeric(c.option, c.value, c.value, c.value, false);
        p.run(file);
        EXPECT_EQ(p.kinds(), c.lost ? std::vector<FindingKind>{FindingKind::SignalLost} : std::vector<FindingKind>{});
    }
}

// The data system's clock started at the acquisition: the first data, 550 mb
// below the launch, come 20 s after it.
TEST(DropDiagnosis, LaunchPointFarFromTheFirstDataIsNotJoined) {
    sim::DropSettings s = settings(DropKind::Research, Scenario::LateAcquisition, 0, 3);
    sim::applyLayout(s);
    sim::SimulatedDrop drop = sim::simulateDrop(s);
    const double shift = drop.records.front().time - 20.0;
    for (sim::DataRecord& r : drop.records) r.time -= shift;
    Pipeline p;
    p.run(sim::formatDFile(s, drop));
    EXPECT_EQ(p.kinds(), std::vector<FindingKind>{FindingKind::LaunchPoint});
    const DataSeries* pres = p.processor.engine()->series("QCPres");
    ASSERT_NE(pres, nullptr);
    EXPECT_GT(pres->value(0), 690.0);
    for (const DecodedLevel& l : p.decoded().levels)
        if (l.pressure && (l.temperature || l.height) && l.kind != DecodedLevelKind::ExtrapolatedAltitude) {
            EXPECT_GT(*l.pressure, 690.0) << levelKindName(l.kind);
        }
}

// A sonde that lands and goes on sending for two minutes: the still records
// are cut off and the drop still reached the surface.
TEST(DropDiagnosis, RecordsAfterTheLandingAreCutOff) {
    sim::DropSettings s = settings(DropKind::Hurricane, Scenario::Good, 0, 4);
    sim::applyLayout(s);
    sim::SimulatedDrop drop = sim::simulateDrop(s);
    const sim::DataRecord landed = drop.records.back();
    for (int i = 1; i <= 480; ++i) {
        sim::DataRecord r = landed;
        r.time += 0.25 * i;
        drop.records.push_back(r);
    }
    Pipeline p;
    p.run(sim::formatDFile(s, drop));
    EXPECT_EQ(p.kinds(), std::vector<FindingKind>{FindingKind::EndOfFall});
    EXPECT_TRUE(p.processor.engine()->hitSurface());
    const DataSeries* pres = p.processor.engine()->series("QCPres");
    ASSERT_NE(pres, nullptr);
    EXPECT_LT(pres->time(pres->lastIndex()), landed.time + 5.0);
}

// Good drops raise nothing, and their message is the one coded without the diagnosis.
TEST(DropDiagnosis, GoodDropsGiveNoFindingAndTheSameMessage) {
    for (DropKind kind : {DropKind::Hurricane, DropKind::Research}) {
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(std::string(sim::kindName(kind)) + ", seed " + std::to_string(seed));
            sim::DropSettings s = settings(kind, Scenario::Good, 0, seed);
            s.instrument.spikes = 4;
            s.instrument.crcErrors = 3;
            s.instrument.missingGaps = 3;
            if (seed % 2 == 0) s.formatVersion = 1.7;  // the current layout with its pre-launch minutes
            const Drop d = simulate(s);
            Pipeline on, off(false);
            on.run(d.file);
            off.run(d.file);
            EXPECT_TRUE(on.processor.findings().empty()) << on.processor.findings().front().line();
            EXPECT_EQ(on.processor.message()->text(true), off.processor.message()->text(true));
        }
    }
}

// The sonde sent nothing for 90 s around 850 mb: no level inside the gap is
// coded with values, and the drop is no problem for the diagnosis.
TEST(DropDiagnosis, NoLevelIsCodedFromInsideAGap) {
    sim::DropSettings s = settings(DropKind::Hurricane, Scenario::Good, 0, 5);
    sim::applyLayout(s);
    sim::SimulatedDrop drop = sim::simulateDrop(s);
    double at850 = 0;
    for (const sim::TruthSample& t : drop.fall.samples)
        if (t.pressure >= 850.0) {
            at850 = t.time;
            break;
        }
    std::erase_if(drop.records, [&](const sim::DataRecord& r) { return std::fabs(r.time - at850) < 45.0; });
    double top = 0, bottom = 2000;  // the pressures at the gap's edges
    for (const sim::TruthSample& t : drop.fall.samples) {
        if (t.time <= at850 - 45.0) top = t.pressure;
        if (t.time >= at850 + 45.0 && bottom == 2000) bottom = t.pressure;
    }
    Pipeline p;
    p.run(sim::formatDFile(s, drop));
    EXPECT_TRUE(p.processor.findings().empty());
    for (const DecodedLevel& l : p.decoded().levels) {
        if (!l.pressure || *l.pressure <= top + 1.0 || *l.pressure >= bottom - 1.0) continue;
        EXPECT_FALSE(l.temperature || l.height || l.speed) << levelKindName(l.kind) << " at " << *l.pressure << " mb";
    }
}

}  // namespace
}  // namespace velta
