// Quality control of simulated drops, measured against the profile the
// simulator knows to be true.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "TestData.h"
#include "TruthProfile.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "qc/QCEngine.h"
#include "sounding/DataPoint.h"

namespace velta {
namespace {

struct Processed {
    OptionStore store;
    ConfigSet options{store};
    ProcessingLog log;
    std::unique_ptr<QCEngine> engine;
    test::TruthProfile truth;

    explicit Processed(const std::string& name)
        : truth(test::sourcePath("samples/truth/" + name + ".csv")) {
        const std::string path = test::sourcePath("samples/" + name + ".1");
        std::ifstream in(path, std::ios::binary);
        engine = std::make_unique<QCEngine>(path, in, options, log);
        StatusReporter quiet;
        if (engine->loaded()) engine->run(quiet);
    }
    const DataSeries& series(const char* key) const { return *engine->series(key); }

    // RMS difference of a series from a truth column over the record points
    // (launch and appended surface points left out) from time `from` on.
    double rms(const char* key, const char* column, double from = 0.0) const {
        const DataSeries& s = series(key);
        double sum = 0;
        int n = 0;
        for (int i = 0; i < s.size(); ++i) {
            if (s.time(i) < from || s.flags(i) != 0) continue;
            double d = s.value(i) - truth.at(column, s.time(i));
            sum += d * d;
            ++n;
        }
        return n ? std::sqrt(sum / n) : NAN;
    }
};

double distanceMetres(double lat1, double lon1, double lat2, double lon2) {
    const double kDeg = 111195.0;
    double dy = (lat1 - lat2) * kDeg;
    double dx = (lon1 - lon2) * kDeg * std::cos(lat1 * M_PI / 180.0);
    return std::hypot(dx, dy);
}

class QcAgainstTruth : public ::testing::TestWithParam<const char*> {};

TEST_P(QcAgainstTruth, ProfilesCloseToTheTruth) {
    Processed p(GetParam());
    ASSERT_TRUE(p.engine->loaded());
    std::string errors;
    EXPECT_FALSE(p.engine->errors(errors)) << errors;

    // The sensors start at the cabin's values: the settling period is removed.
    const DataSeries& tdry = p.series("QCTdry");
    ASSERT_GT(tdry.size(), 100);
    const double firstTime = tdry.time(tdry.flags(0) != 0 ? 1 : 0);
    EXPECT_GT(firstTime, 5.0);

    // The lag correction brings temperature closer to the air than the lagging sensor.
    const double qcT = p.rms("QCTdry", "temperature_c", firstTime);
    const double rawT = p.rms("RawTdry", "temperature_c", firstTime);
    const double qcRH = p.rms("QCRH", "rh_pct", firstTime);
    const double rawRH = p.rms("RawRH", "rh_pct", firstTime);
    const double qcU = p.rms("QCU", "u_ms", 10.0);
    const double qcV = p.rms("QCV", "v_ms", 10.0);
    const double qcP = p.rms("QCPres", "pressure_mb", firstTime);
    std::printf("%s: RMS tdry QC %.3f (raw %.3f) C, RH %.2f (raw %.2f) %%, u %.2f v %.2f m/s, pres %.3f mb\n", GetParam(),
                qcT, rawT, qcRH, rawRH, qcU, qcV, qcP);
    EXPECT_LT(qcT, rawT);
    EXPECT_LT(qcT, 0.3);
    // Humidity keeps its sensor's lag (no correction for it) but loses the noise and spikes.
    EXPECT_LT(qcRH, rawRH);
    EXPECT_LT(qcRH, 5.0);
    EXPECT_LT(qcU, 1.0);
    EXPECT_LT(qcV, 1.0);
    EXPECT_LT(qcP, 0.3);

    // No spike survives: every QC temperature within a few tenths of the air's.
    for (int i = 0; i < tdry.size(); ++i) {
        if (tdry.flags(i) == 0) {
            EXPECT_LT(std::fabs(tdry.value(i) - p.truth.at("temperature_c", tdry.time(i))), 1.5)
                << "t=" << tdry.time(i);
        }
    }

    // Records received with a checksum error are gone from the QC series.
    const DataSeries& status = p.series("RawStatus");
    ASSERT_GT(status.size(), 0);
    for (int k = 0; k < status.size(); ++k)
        for (const char* key : {"QCPres", "QCTdry", "QCRH", "QCWspd"}) {
            const DataSeries& s = p.series(key);
            for (int i = 0; i < s.size(); ++i) EXPECT_NE(s.time(i), status.time(k)) << key;
        }

    // The position track follows the sonde.
    const DataSeries& lat = p.series("QCLat");
    const DataSeries& lon = p.series("QCLon");
    ASSERT_EQ(lat.size(), lon.size());
    double worst = 0;
    for (int i = 0; i < lat.size(); ++i)
        worst = std::max(worst, distanceMetres(lat.value(i), lon.value(i), p.truth.at("lat_deg", lat.time(i)),
                                               p.truth.at("lon_deg", lat.time(i))));
    std::printf("%s: worst position error %.0f m over %d points\n", GetParam(), worst, lat.size());
    EXPECT_LT(worst, 300.0);
}

INSTANTIATE_TEST_SUITE_P(Samples, QcAgainstTruth,
                         ::testing::Values("D20250915_174512", "D20250915_181630", "D20250916_203000"));

TEST(QcAgainstTruth, SurfaceAltitudeFromTheDownwardIntegration) {
    for (const char* name : {"D20250915_174512", "D20250916_203000"}) {
        Processed p(name);
        const DataSeries& dn = p.series("QCAltDn");
        ASSERT_GT(dn.size(), 10) << name;
        // The last point is the appended surface point; the truth surface is at 0 m.
        // From 14 km up the research drop integrates down to within about 10 m.
        std::printf("%s: surface altitude from the launch down %.2f m\n", name, dn.value(dn.lastIndex()));
        EXPECT_NEAR(dn.value(dn.lastIndex()), 0.0, 15.0) << name;
        EXPECT_TRUE(p.series("QCPres").hasFlags(p.series("QCPres").lastIndex(), FlagSurface)) << name;
        EXPECT_NEAR(p.series("QCPres").value(p.series("QCPres").lastIndex()), p.truth.meta["surface_pressure_mb"],
                    1.0)
            << name;
    }
}

TEST(QcAgainstTruth, RunningTwiceGivesTheSameSeries) {
    Processed p("D20250915_174512");
    auto snapshot = [&] {
        std::vector<std::vector<DataPoint>> all;
        for (const std::string& name : p.engine->sounding()->seriesNames())
            all.push_back(p.engine->series(name)->points());
        return all;
    };
    auto first = snapshot();
    StatusReporter quiet;
    p.engine->run(quiet);
    auto second = snapshot();
    ASSERT_EQ(first.size(), second.size());
    for (size_t k = 0; k < first.size(); ++k) {
        ASSERT_EQ(first[k].size(), second[k].size());
        for (size_t i = 0; i < first[k].size(); ++i) {
            EXPECT_EQ(first[k][i].time, second[k][i].time);
            EXPECT_EQ(first[k][i].value, second[k][i].value);
            EXPECT_EQ(first[k][i].flags, second[k][i].flags);
        }
    }
}

}  // namespace
}  // namespace velta
