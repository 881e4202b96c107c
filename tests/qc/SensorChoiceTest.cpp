// The temperature sensor model QC uses for a drop: chosen by the option SensorResponse or by the sonde
// type code of the file, and what the fast model changes in the time constants and the ambient
// equilibration. Files that do not name their sensor process exactly as with the bead.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>

#include "StepFixture.h"
#include "TestData.h"
#include "qc/AmbientEquilibration.h"
#include "qc/QCEngine.h"
#include "qc/ResponseSteps.h"
#include "qc/SensorModel.h"
#include "qc/SensorResponse.h"

namespace velta {
namespace {

using Kind = SensorResponse::Kind;
using Origin = SensorResponse::Origin;

TEST(SensorChoiceTest, OptionOrSondeTypeCode) {
    struct Case {
        std::optional<double> option;  // SensorResponse; nothing: absent
        std::optional<double> tau;     // FastSensorTau
        const char* typeCode;
        Kind kind;
        Origin origin;
        double referenceTau;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, "", Kind::Bead, Origin::NoSondeType, 0.0},
        {0, 0.5, "", Kind::Bead, Origin::NoSondeType, 0.0},
        {0, 0.5, "3", Kind::Fast, Origin::SondeType, 0.5},
        {0, 0.4, " 3 ", Kind::Fast, Origin::SondeType, 0.4},
        {0, 0.5, "2", Kind::Bead, Origin::SondeType, 0.0},
        {0, 0.5, "31", Kind::Bead, Origin::SondeType, 0.0},
        {1, 0.5, "3", Kind::Bead, Origin::Option, 0.0},
        {2, 0.5, "", Kind::Fast, Origin::Option, 0.5},
        {2, 0.8, "2", Kind::Fast, Origin::Option, 0.8},
        {2, -1.0, "", Kind::Fast, Origin::Option, 0.5},  // an unusable time gives the default
        {2, NAN, "", Kind::Fast, Origin::Option, 0.5},
        {7, 0.5, "3", Kind::Fast, Origin::SondeType, 0.5},  // out of range: from the file
        {std::nullopt, std::nullopt, "3", Kind::Fast, Origin::SondeType, 0.5},
    };
    for (const Case& c : cases) {
        test::StepFixture f;
        if (c.option) f.set("SensorResponse", *c.option);
        if (c.tau) f.set("FastSensorTau", *c.tau);
        f.header.sondetypecode = c.typeCode;
        const SensorResponse s = SensorResponse::choose(f.options, f.header);
        SCOPED_TRACE(std::string("code '") + c.typeCode + "', option " + std::to_string(c.option.value_or(-1)));
        EXPECT_EQ(s.kind(), c.kind);
        EXPECT_EQ(s.origin(), c.origin);
        EXPECT_EQ(s.referenceTau(), c.referenceTau);
    }
}

TEST(SensorChoiceTest, FastModelKeepsTheBeadsDependenceAndNamesItself) {
    const SensorResponse bead = SensorResponse::bead();
    const SensorResponse fast = SensorResponse::fast(0.5);
    EXPECT_NEAR(fast.timeConstant(1000, 20, 6), 0.5, 1e-12);
    const double scale = 0.5 / tdryTimeConstant(1000, 20, 6);
    for (const auto& [p, t, v] : {std::tuple{200.0, -80.0, 22.8}, {700.0, 10.0, -14.0}, {1010.0, 28.0, 11.0}}) {
        EXPECT_EQ(bead.timeConstant(p, t, v), tdryTimeConstant(p, t, v));
        EXPECT_NEAR(fast.timeConstant(p, t, v), scale * tdryTimeConstant(p, t, v), 1e-12);
    }
    EXPECT_EQ(bead.name(), "RS80 T sensor");
    EXPECT_EQ(fast.name(), "fast sensor, 0.50 s at 1000 mb");
    SoundingHeader h;
    h.sondetypecode = "3";
    EXPECT_EQ(SensorResponse::fast(0.45, Origin::SondeType).description(h),
              "fast sensor, 0.45 s at 1000 mb (sonde type code 3)");
    EXPECT_EQ(SensorResponse::bead(Origin::Option).description(h), "RS80 T sensor (set by SensorResponse)");
    EXPECT_EQ(SensorResponse::bead(Origin::NoSondeType).description(SoundingHeader{}),
              "RS80 T sensor (the file names no sonde type)");
}

// With the fast model the temperature (and with it the pressure) loses seconds instead of the
// bead's 25, counted along the sonde's speed-up after release; humidity keeps its own sensor's period.
TEST(SensorChoiceTest, FastModelShortensTheEquilibrationAndScalesTheTimeConstants) {
    test::StepFixture f;
    for (const char* key : {"QCTdry", "QCPres", "QCRH"}) {
        DataSeries s(key);
        const double value = key[2] == 'T' ? -60 : key[2] == 'P' ? 200 : 40;
        for (double t = 0; t <= 120; t += 0.25) s.append(value, t);
        f.sounding.addSeries(key, std::move(s));
    }
    f.run.sensor = SensorResponse::fast(0.5);
    equilibrateAmbient(f.run);
    const auto lines = f.log.lines(AmbientEquilibration::LogCategory);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[6], "Temperature equilibration (fast sensor, 0.50 s at 1000 mb time constants): 6.3");
    EXPECT_EQ(lines[7], "RH equilibration (RS80 RH sensor time constants): 5.1");
    // The bead at terminal speed: 6.263 * 3.968 s. The fast sensor at terminal speed would take
    // 6.263 times its scaled constant; the slow first seconds of the fall add to it.
    const double atTerminal = 6.263 * 3.968 * 0.5 / tdryTimeConstant(1000, 20, 6);
    const double first = f.series("QCTdry").time(0);
    EXPECT_GT(first, atTerminal);
    EXPECT_LT(first, atTerminal + 3.0);
    EXPECT_EQ(f.series("QCPres").time(0), first);
    EXPECT_EQ(f.series("QCRH").time(0), 70.0);  // as with the bead

    // A first temperature after the period has passed keeps everything.
    const AmbientEquilibration model(676, 395, SensorResponse::fast(0.5));
    EXPECT_EQ(model.temperaturePeriod({200, -80, 50}, 30.0).end, 30.0);

    DataSeries dz("QCDz");
    for (double t = 0; t <= 120; t += 1) dz.append(-20, t);
    f.sounding.addSeries("QCDz", std::move(dz));
    updateTimeConstants(f.run);
    const DataSeries& tau = f.run.tdryTimeConstants.series();
    ASSERT_GT(tau.size(), 100);
    EXPECT_NEAR(tau.value(0), SensorResponse::fast(0.5).timeConstant(200, -60, -20), 1e-12);
}

// The bundled drops come from data systems that do not name the sonde type: the bead model, the
// same series to the bit as with SensorResponse 1, and the log as it always read.
TEST(SensorChoiceTest, FilesWithoutSondeTypeProcessAsBefore) {
    for (const char* name : {"D20250915_174512", "D20250916_203000"}) {
        SCOPED_TRACE(name);
        const std::string path = test::sourcePath(std::string("samples/") + name + ".1");
        struct Run {
            OptionStore store;
            ConfigSet options{store};
            ProcessingLog log;
            std::unique_ptr<QCEngine> engine;
        };
        auto process = [&](std::optional<double> choice) {
            auto r = std::make_unique<Run>();
            if (choice) r->options.option("SensorResponse")->setValue(*choice);
            std::ifstream in(path, std::ios::binary);
            r->engine = std::make_unique<QCEngine>(path, in, r->options, r->log);
            StatusReporter quiet;
            r->engine->run(quiet);
            return r;
        };
        const auto fromFile = process(std::nullopt);
        const auto bead = process(1.0);
        EXPECT_EQ(fromFile->engine->sensorResponse().kind(), Kind::Bead);
        EXPECT_EQ(fromFile->engine->sensorResponse().origin(), Origin::NoSondeType);
        for (const std::string& key : fromFile->engine->sounding()->seriesNames()) {
            const DataSeries& a = *fromFile->engine->series(key);
            const DataSeries& b = *bead->engine->series(key);
            ASSERT_EQ(a.size(), b.size()) << key;
            for (int i = 0; i < a.size(); ++i) {
                EXPECT_EQ(a.time(i), b.time(i)) << key;
                EXPECT_EQ(a.value(i), b.value(i)) << key;
                EXPECT_EQ(a.flags(i), b.flags(i)) << key;
            }
        }
        const auto lines = fromFile->log.lines(AmbientEquilibration::LogCategory);
        ASSERT_GE(lines.size(), 7u);
        EXPECT_EQ(lines[6].rfind("Temperature equilibration (RS80 T sensor time constants): ", 0), 0u);
        EXPECT_EQ(lines, bead->log.lines(AmbientEquilibration::LogCategory));
    }
}

}  // namespace
}  // namespace velta
