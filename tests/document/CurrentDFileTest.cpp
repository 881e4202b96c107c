// Simulated D files in the layout current data systems write (format 1.7:
// 4 Hz winds, PTU on every other record, a status digit per part, other
// sondes' records in the same file), read and processed end to end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "TruthCsv.h"
#include "TruthProfile.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "document/FileRemarks.h"
#include "document/RecoveryStatistics.h"
#include "document/SoundingProcessor.h"
#include "io/SoundingFile.h"
#include "sounding/Sounding.h"

namespace velta {
namespace {

struct Simulated {
    sim::DropSettings settings;
    sim::SimulatedDrop drop;
    std::string file;
    test::TruthProfile truth;
};

Simulated simulate(sim::Scenario scenario, std::uint64_t seed = 1) {
    sim::DropSettings s = sim::defaultSettings(sim::DropKind::Hurricane);
    s.formatVersion = 1.7;
    s.seed = seed;
    s.scenario = scenario;
    s.instrument.spikes = 3;
    sim::applyLayout(s);
    sim::SimulatedDrop drop = sim::simulateDrop(s);
    std::string file = sim::formatDFile(s, drop);
    return {s, drop, file, test::TruthProfile(sim::formatTruthCsv(s, drop), true)};
}

struct Processed {
    OptionStore store;
    ConfigSet options{store};
    SoundingProcessor processor{options, "1.0.0"};

    explicit Processed(const std::string& text) {
        std::istringstream in(text);
        loaded = processor.load("D.1", in);
        if (loaded) processor.processAll();
    }
    const DataSeries& series(const char* name) const { return *processor.engine()->series(name); }
    std::string message() const { return processor.message() ? processor.message()->text(false) : ""; }
    const std::vector<std::string>& statistics() const { return processor.logLines(kRecoveryCategory); }
    bool loaded = false;
};

// Record points (no launch or appended surface point) of a series.
int recordPoints(const DataSeries& s) {
    int n = 0;
    for (int i = 0; i < s.size(); ++i) n += s.flags(i) == 0;
    return n;
}

TEST(CurrentDFile, TheQcRebuildKeepsTheValuesTheFileReportsAsValid) {
    for (std::uint64_t seed : {1, 2, 3}) {
        SCOPED_TRACE(seed);
        const Simulated sim = simulate(sim::Scenario::Good, seed);
        std::istringstream in(sim.file);
        SoundingFile file("D.1", in);
        ASSERT_TRUE(file.valid()) << file.errorText();
        Sounding sounding(file);
        sounding.rebuildQCSeries(0, true);

        // Valid by the file: a value, in a part whose status digit is 0.
        const RawRecords& r = file.raw().records;
        int ptu = 0, winds = 0, ptuFlagged = 0;
        for (int k = 0; k < r.count(); ++k) {
            const int status = r.status[k] == MissingValue ? 0 : static_cast<int>(r.status[k]);
            if (!(status & kStatusPtu) && r.pressure[k] != MissingValue) ++ptu;
            if (!(status & kStatusWind) && r.windSpeed[k] != MissingValue && r.windDirection[k] != MissingValue)
                ++winds;
            ptuFlagged += (status & kStatusPtu) != 0;
        }
        // About half the records carry no PTU: that is the 2 Hz PTU, not a fault.
        EXPECT_NEAR(static_cast<double>(ptuFlagged) / r.count(), 0.5, 0.02);
        ASSERT_GT(winds, 900);
        EXPECT_GE(recordPoints(*sounding.series("QCPres")), 0.95 * ptu);
        EXPECT_GE(recordPoints(*sounding.series("QCTdry")), 0.95 * ptu);
        EXPECT_GE(recordPoints(*sounding.series("QCWspd")), 0.95 * winds);
        EXPECT_GE(recordPoints(*sounding.series("QCU")), 0.95 * winds);
        EXPECT_GE(recordPoints(*sounding.series("RawLat")), 0.95 * winds);
    }
}

// The figure in brackets after "QC retained" on a statistics line.
double retainedPercent(const std::string& line) {
    const auto at = line.find("QC retained");
    if (at == std::string::npos) return NAN;
    const auto open = line.find('(', at);
    return open == std::string::npos ? NAN : std::atof(line.c_str() + open + 1);
}

TEST(CurrentDFile, StatisticsSayWhatIsMissingInPlainWords) {
    const Processed p(simulate(sim::Scenario::Good).file);
    ASSERT_TRUE(p.loaded);
    bool ptu = false, winds = false;
    for (const std::string& line : p.statistics()) {
        SCOPED_TRACE(line);
        EXPECT_EQ(line.find("CRC"), std::string::npos);
        ptu = ptu || line.find("raw data records without valid PTU") != std::string::npos;
        winds = winds || line.find("raw data records without valid winds") != std::string::npos;
        if (line.rfind("winds:", 0) == 0 || line.rfind("pres ", 0) == 0 || line.rfind("tdry ", 0) == 0) {
            EXPECT_GE(retainedPercent(line), 95.0);
        }
    }
    EXPECT_TRUE(ptu);
    EXPECT_TRUE(winds);
}

TEST(CurrentDFile, TheOperatorsRemarksAndTheSondeTypeAreRead) {
    Simulated sim = simulate(sim::Scenario::Good);
    const Processed p(sim.file);
    ASSERT_TRUE(p.loaded);
    const SoundingHeader h = p.processor.header();
    EXPECT_EQ(h.sondetypecode, "3");
    EXPECT_EQ(h.sondemodel, "KPTU-7");
    // The stray byte at the end of the operator's remark is gone.
    EXPECT_EQ(p.processor.logLines(kRemarksCategory),
              (std::vector<std::string>{"Standard comments: Good Drop",
                                        "Operator comments: Eyewall drop in the NE quadrant"}));
}

TEST(CurrentDFile, QcStaysCloseToTheTruth) {
    const Simulated sim = simulate(sim::Scenario::Good);
    const Processed p(sim.file);
    ASSERT_TRUE(p.loaded);
    auto rms = [&](const char* key, const char* column, double from) {
        const DataSeries& s = p.series(key);
        double sum = 0;
        int n = 0;
        for (int i = 0; i < s.size(); ++i)
            if (s.time(i) >= from && s.flags(i) == 0) {
                sum += std::pow(s.value(i) - sim.truth.at(column, s.time(i)), 2);
                ++n;
            }
        return n ? std::sqrt(sum / n) : NAN;
    };
    const DataSeries& tdry = p.series("QCTdry");
    const double from = tdry.time(tdry.flags(0) != 0 ? 1 : 0);
    EXPECT_LT(rms("QCTdry", "temperature_c", from), 0.3);
    EXPECT_LT(rms("QCRH", "rh_pct", from), 5.0);
    EXPECT_LT(rms("QCPres", "pressure_mb", from), 0.3);
    EXPECT_LT(rms("QCU", "u_ms", 10.0), 1.0);
    EXPECT_LT(rms("QCV", "v_ms", 10.0), 1.0);
}

TEST(CurrentDFile, AnotherSondesRecordsNeverReachTheSounding) {
    const Processed single(simulate(sim::Scenario::Good).file);
    ASSERT_TRUE(single.loaded);
    const auto& all = single.processor.engine()->sounding()->allSeries();
    for (sim::Scenario scenario :
         {sim::Scenario::SecondSentinels, sim::Scenario::SecondCabin, sim::Scenario::LaunchNamesEmpty}) {
        const Simulated sim = simulate(scenario);
        SCOPED_TRACE(static_cast<int>(scenario));
        ASSERT_GT(sim.drop.secondSonde.size(), 100u);
        const Processed p(sim.file);
        ASSERT_TRUE(p.loaded);
        EXPECT_EQ(p.processor.header().sondeid, sim.settings.sondeId);

        // Every series, raw and QC, as from the file of the dropped sonde alone.
        for (const auto& [name, s] : all) {
            const DataSeries* other = p.processor.engine()->series(name);
            ASSERT_NE(other, nullptr) << name;
            ASSERT_EQ(other->size(), s.size()) << name;
            for (int i = 0; i < s.size(); ++i) {
                const DataPoint a = s.points()[i], b = other->points()[i];
                ASSERT_TRUE(a.time == b.time && a.value == b.value && a.flags == b.flags) << name << " " << i;
            }
        }
        EXPECT_EQ(p.message(), single.message());

        const std::string setAside = std::to_string(sim.drop.secondSonde.size()) + " records of another sonde (" +
                                     sim.settings.secondSondeId + ") in the file were set aside";
        bool named = false;
        for (const std::string& line : p.statistics()) named = named || line == setAside;
        EXPECT_TRUE(named) << setAside;
    }
}

TEST(CurrentDFile, CloudHumidityKeepsTheDewPointInTheMessage) {
    const Simulated sim = simulate(sim::Scenario::Cloud);
    double highest = 0;
    for (const sim::DataRecord& r : sim.drop.records)
        if (r.rh1) highest = std::max(highest, *r.rh1);
    EXPECT_GT(highest, 103.0);  // the wetted sensor reads above saturation

    const Processed p(sim.file);
    ASSERT_TRUE(p.loaded);
    // Inside the cloud the QC humidity is kept, at saturation.
    const DataSeries& pres = p.series("QCPres");
    const DataSeries& rh = p.series("QCRH");
    int inCloud = 0, saturated = 0;
    for (int i = 0; i < rh.size(); ++i) {
        const auto pi = pres.interpolate(rh.time(i), 2.0);
        if (!pi || *pi < 900.0 || *pi > 945.0) continue;
        ++inCloud;
        saturated += rh.value(i) > 99.9;
        EXPECT_LE(rh.value(i), 100.0 + 1e-9);
    }
    EXPECT_GT(inCloud, 50);
    EXPECT_GT(saturated, inCloud * 9 / 10);

    // The 925 mb group of part A: temperature and a dew-point depression of 0.
    std::istringstream groups(p.message());
    std::vector<std::string> g;
    for (std::string w; groups >> w;) g.push_back(w);
    bool found = false;
    std::size_t partA = 0;
    while (partA < g.size() && g[partA] != "XXAA") ++partA;
    for (std::size_t i = partA; i + 1 < g.size() && !found; ++i)
        if (g[i].size() == 5 && g[i].rfind("92", 0) == 0 && g[i + 1].size() == 5) {
            EXPECT_EQ(g[i + 1].substr(3), "00") << g[i] << " " << g[i + 1] << "\n" << p.message();
            found = true;
        }
    EXPECT_TRUE(found) << p.message();
}

}  // namespace
}  // namespace velta
