// The QC driver: step order and progress texts, the cut time of the last-data
// override, and the header with overrides.
#include <gtest/gtest.h>

#include <fstream>

#include "TestData.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "qc/QCEngine.h"
#include "qc/QcSteps.h"
#include "sounding/DataPoint.h"

namespace velta {
namespace {

struct StepRecorder : StatusReporter {
    std::vector<std::string> steps;
    void setStep(const std::string& text) override { steps.push_back(text); }
};

struct Engine {
    OptionStore store;
    ConfigSet options{store};
    ProcessingLog log;
    std::unique_ptr<QCEngine> engine;
    explicit Engine(const std::string& sample) {
        const std::string path = test::sourcePath(sample);
        std::ifstream in(path, std::ios::binary);
        engine = std::make_unique<QCEngine>(path, in, options, log);
    }
};

const std::vector<std::string> kDropSteps = {
    "initializing",         "setting overrides",         "applying offsets",        "ambient equilibration",
    "limit checks",         "satellite check",           "buddy check",             "outlier check",
    "filter check",         "pressure smoothing",        "pressure mono check",     "compute vertical velocity",
    "updating time constants", "dynamic tdry adjustment", "RH lower limiting",      "final smoothing",
    "RH lower limiting",    "pressure adjustment",       "compute vertical velocity", "vertical velocity check",
    "dynamic winds adjustment", "compute altitudes",     "compute position"};

TEST(QcEngine, ProgressOfADropAndOfAnAscent) {
    Engine drop("samples/D20250915_174512.1");
    ASSERT_TRUE(drop.engine->loaded());
    StepRecorder dropSteps;
    drop.engine->run(dropSteps);
    EXPECT_EQ(dropSteps.steps, kDropSteps);
    EXPECT_TRUE(drop.engine->qcDone());

    Engine ascent("samples/vira_example.txt");
    ASSERT_TRUE(ascent.engine->loaded());
    ASSERT_TRUE(ascent.engine->header().ascending);
    StepRecorder ascentSteps;
    ascent.engine->run(ascentSteps);
    std::vector<std::string> expected;
    for (const std::string& s : kDropSteps)
        if (s != "ambient equilibration" && s != "pressure adjustment") expected.push_back(s);
    EXPECT_EQ(ascentSteps.steps.size(), 21u);
    EXPECT_EQ(ascentSteps.steps, expected);
}

TEST(QcEngine, CutTimeOfTheLastDataOverride) {
    struct Case {
        double v, cut;
    } cases[] = {{123.40, 123.45}, {123.44, 123.45}, {123.49, 123.45}, {123.50, 123.55}};
    for (const Case& c : cases) EXPECT_NEAR(cutTimeForOverride(c.v), c.cut, 1e-9) << c.v;

    Engine e("samples/D20250915_174512.1");
    e.options.addNumeric("lastDataTimeOverride", 123.44, 0, 1e6, false);
    StepRecorder quiet;
    e.engine->run(quiet);
    EXPECT_NEAR(e.engine->sounding()->qcCutTime(), 123.45, 1e-9);
    // Nothing measured after the cut is left; only the extrapolated surface point lies beyond it.
    for (const char* key : {"QCTime", "QCPres", "QCTdry", "QCWspd"}) {
        const DataSeries& s = *e.engine->series(key);
        for (int i = 0; i < s.size(); ++i)
            if (!s.hasFlags(i, FlagSurface)) {
                EXPECT_LE(s.time(i), 123.45) << key;
            }
    }
}

TEST(QcEngine, AltitudeSeriesChoice) {
    Engine e("samples/D20250915_174512.1");
    auto set = [&](const char* name, double v) { e.options.option(name)->setValue(v); };
    EXPECT_EQ(e.engine->finalAltitudeSeries(), "QCAltUp");
    set("SfcAltUnknown", 1);
    EXPECT_EQ(e.engine->finalAltitudeSeries(), "QCAltDn");
    set("SfcAltUnknown", 0);
    set("DropsondeHitSfc", 0);
    EXPECT_EQ(e.engine->finalAltitudeSeries(), "QCAltDn");
    set("SetHtsMissing", 1);
    EXPECT_EQ(e.engine->finalAltitudeSeries(), "QCAltMissing");
}

}  // namespace
}  // namespace velta
