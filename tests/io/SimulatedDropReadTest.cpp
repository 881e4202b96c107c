// A noise-free simulated drop read back: the raw records are what the
// simulator says its sensors reported, within the precision of the file.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "TruthCsv.h"
#include "TruthProfile.h"
#include "io/SoundingFile.h"
#include "sounding/Sounding.h"

namespace velta {
namespace {

TEST(SimulatedDropRead, RawSeriesMatchTheSimulatorsTruth) {
    for (double format : {1.4, 1.6}) {
        SCOPED_TRACE(format);
        sim::DropSettings settings = sim::defaultSettings(sim::DropKind::Hurricane);
        settings.instrument.noise = false;
        settings.formatVersion = format;
        const sim::SimulatedDrop drop = sim::simulateDrop(settings);
        const test::TruthProfile truth(sim::formatTruthCsv(settings, drop), true);
        std::istringstream in(sim::formatDFile(settings, drop));
        SoundingFile file("D.1", in);
        ASSERT_TRUE(file.valid()) << file.errorText();
        Sounding sounding(file);

        const DataSeries& time = *sounding.series("RawTime");
        const auto& truthTime = truth.columns.at("time_s");
        // Every data record, after the launch point; the file keeps tenths of a second.
        ASSERT_EQ(time.size(), static_cast<int>(truthTime.size()));  // the release row stands for the launch point
        for (int i = 1; i < time.size(); ++i)
            ASSERT_NEAR(time.time(i), truthTime[static_cast<std::size_t>(i)], 0.051) << i;

        struct Check {
            const char* series;
            const char* column;
            double precision;
        } checks[] = {{"RawPres", "pressure_mb", 0.0051},  // written 0.4 mb low, read back with +0.4
                      {"RawTdry", "sensor_temperature_c", 0.0051},
                      {"RawRH", "sensor_rh_pct", 0.0051},
                      {"RawLat", "lat_deg", 5.1e-7},
                      {"RawLon", "lon_deg", 5.1e-7}};
        for (const Check& c : checks) {
            const DataSeries& s = *sounding.series(c.series);
            ASSERT_GT(s.size(), 100) << c.series;
            for (int i = 0; i < s.size(); ++i) {
                if (s.flags(i) != 0) continue;  // the launch observation is the aircraft's
                // The record's own truth row: the row whose time the file's tenths came from.
                std::size_t row = 0;
                while (row + 1 < truthTime.size() && truthTime[row] < s.time(i) - 0.051) ++row;
                ASSERT_NEAR(s.value(i), truth.columns.at(c.column)[row], c.precision) << c.series << " t=" << s.time(i);
            }
        }
        const DataSeries& gps = *sounding.series("RawGpsAlt");
        if (format < 1.6)
            EXPECT_LE(gps.size(), 1);  // at most the launch observation's
        else
            EXPECT_GT(gps.size(), 100);
    }
}

}  // namespace
}  // namespace velta
