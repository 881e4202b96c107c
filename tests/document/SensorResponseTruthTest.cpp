// The temperature sensor model QC picks per drop, measured against simulated drops whose sensors the
// simulator models on its own (published response times, forced-convection scaling): with the model
// the file names, every 100-mb layer comes out close to the air; with the other model the layers
// show the over- or under-correction.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "TruthCsv.h"
#include "TruthProfile.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "qc/QCEngine.h"

namespace velta {
namespace {

struct LayerError {
    double mean = 0.0;
    double rms = 0.0;
    int points = 0;
};

struct Drop {
    std::string file;
    test::TruthProfile truth;
};

Drop simulate(sim::DropKind kind, sim::SensorKind sensor) {
    sim::DropSettings s = sim::defaultSettings(kind);
    s.formatVersion = 1.7;  // the layout whose trailer names the sonde type
    s.sensor = sensor;
    sim::applyLayout(s);
    const sim::SimulatedDrop drop = sim::simulateDrop(s);
    return {sim::formatDFile(s, drop), test::TruthProfile(sim::formatTruthCsv(s, drop), true)};
}

struct Processed {
    OptionStore store;
    ConfigSet options{store};
    ProcessingLog log;
    std::unique_ptr<QCEngine> engine;

    // sensorResponse < 0: the option as the catalogue sets it (from the file).
    Processed(const std::string& file, double sensorResponse) {
        if (sensorResponse >= 0) options.option("SensorResponse")->setValue(sensorResponse);
        std::istringstream in(file);
        engine = std::make_unique<QCEngine>("D.1", in, options, log);
        StatusReporter quiet;
        if (engine->loaded()) engine->run(quiet);
    }

    // QC temperature minus the air's, by 100-mb layer of the true pressure (record points only).
    std::map<int, LayerError> layers(const test::TruthProfile& truth) const {
        std::map<int, LayerError> out;
        const DataSeries& t = *engine->series("QCTdry");
        for (int i = 0; i < t.size(); ++i) {
            if (t.flags(i) != 0) continue;
            const double d = t.value(i) - truth.at("temperature_c", t.time(i));
            LayerError& e = out[static_cast<int>(truth.at("pressure_mb", t.time(i)) / 100.0)];
            e.mean += d;
            e.rms += d * d;
            ++e.points;
        }
        for (auto& [layer, e] : out) {
            e.mean /= e.points;
            e.rms = std::sqrt(e.rms / e.points);
        }
        std::erase_if(out, [](const auto& kv) { return kv.second.points < 20; });
        return out;
    }
};

struct Case {
    sim::DropKind kind;
    sim::SensorKind sensor;
    SensorResponse::Kind fromFile;
    double wrongOption;  // the SensorResponse value that picks the other model
    double wrongSign;    // +1: the wrong model over-corrects (too warm), -1: under-corrects
};

const Case kCases[] = {
    {sim::DropKind::Hurricane, sim::SensorKind::Fast, SensorResponse::Kind::Fast, 1, +1},
    {sim::DropKind::Hurricane, sim::SensorKind::Bead, SensorResponse::Kind::Bead, 2, -1},
    {sim::DropKind::Research, sim::SensorKind::Fast, SensorResponse::Kind::Fast, 1, +1},
    {sim::DropKind::Research, sim::SensorKind::Bead, SensorResponse::Kind::Bead, 2, -1},
};

TEST(SensorResponseTruth, EveryLayerCloseWithTheModelTheFileNames) {
    for (const Case& c : kCases) {
        const Drop drop = simulate(c.kind, c.sensor);
        const char* name = sim::sensorClass(c.sensor).name;
        SCOPED_TRACE(std::string(sim::kindName(c.kind)) + ", " + name);

        const Processed right(drop.file, -1);
        ASSERT_TRUE(right.engine->loaded());
        EXPECT_EQ(right.engine->sensorResponse().kind(), c.fromFile);
        EXPECT_EQ(right.engine->sensorResponse().origin(), SensorResponse::Origin::SondeType);
        const auto layers = right.layers(drop.truth);
        ASSERT_GE(layers.size(), c.kind == sim::DropKind::Research ? 8u : 3u);
        for (const auto& [layer, e] : layers) {
            std::printf("%s %s %4d-%4d mb: mean %+.3f rms %.3f C (%d)\n", sim::kindName(c.kind), name,
                        layer * 100, layer * 100 + 100, e.mean, e.rms, e.points);
            EXPECT_NEAR(e.mean, 0.0, 0.1) << layer * 100 << " mb";
            EXPECT_LT(e.rms, 0.2) << layer * 100 << " mb";
        }

        // The other model: the fast sensor corrected as a bead comes out too warm, the bead
        // corrected as a fast sensor keeps most of its lag and comes out too cold.
        const Processed wrong(drop.file, c.wrongOption);
        EXPECT_NE(wrong.engine->sensorResponse().kind(), c.fromFile);
        double worst = 0.0;
        for (const auto& [layer, e] : wrong.layers(drop.truth)) worst = std::max(worst, c.wrongSign * e.mean);
        std::printf("%s %s with the other model: worst layer mean %+.3f C\n", sim::kindName(c.kind), name,
                    c.wrongSign * worst);
        EXPECT_GT(worst, 0.12);
    }
}

}  // namespace
}  // namespace velta
