// Coding the TEMP DROP message of a 15-minute drop sampled at 4 Hz: the levels
// are derived once from synthetic series, then the message is coded, its
// remarks applied and its lines laid out.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "levels/SignificantLevels.h"
#include "qc/MetFormulas.h"
#include "sounding/DataSeries.h"
#include "wmo/MessageCoder.h"
#include "wmo/Remarks.h"

namespace {

struct DropSeries {
    velta::DataSeries pres{"QCPres"}, tdry{"QCTdry"}, rh{"QCRH"}, wspd{"QCWspd"}, wdir{"QCWdir"}, u{"QCU"},
        v{"QCV"}, alt{"QCAltDn"}, lat{"QCLat"}, lon{"QCLon"}, dz{"QCDz"};
};

// From 12.5 km (about 200 mb) to the sea in 900 s.
DropSeries syntheticDrop() {
    DropSeries s;
    const int n = 3600;
    for (int i = 0; i <= n; ++i) {
        const double t = i * 0.25;
        const double f = t / 900.0;
        const double z = 12500.0 * (1.0 - f) * (1.0 - 0.35 * f);  // falling slower near the sea
        const double p = 1010.0 * std::exp(-z / 7900.0);
        double temp = z < 11000.0 ? 27.0 - 6.5 * z / 1000.0 : 27.0 - 71.5;
        temp += 1.5 * std::sin(z / 700.0) + (z > 1200 && z < 1500 ? 2.0 : 0.0);
        const double humidity = 95.0 - 60.0 * z / 12500.0 + 8.0 * std::sin(z / 400.0);
        const double speed =
            12.0 + 25.0 * std::exp(-std::pow((z - 9500.0) / 2500.0, 2)) + 3.0 * std::sin(z / 300.0);
        const double direction =
            std::fmod(200.0 + 60.0 * z / 12500.0 + 10.0 * std::sin(z / 900.0) + 360.0, 360.0);
        double uu, vv;
        velta::windComponents(speed, direction, uu, vv);
        s.pres.append(p, t);
        s.tdry.append(temp, t);
        s.rh.append(humidity, t);
        s.wspd.append(speed, t);
        s.wdir.append(direction, t);
        s.u.append(uu, t);
        s.v.append(vv, t);
        s.alt.append(z, t);
        s.lat.append(25.3 + 0.0001 * i, t);
        s.lon.append(-75.6 + 0.0001 * i, t);
        s.dz.append(-10.0 - 10.0 * (1.0 - f), t);
    }
    return s;
}

void BM_CodeDropMessage(benchmark::State& state) {
    const DropSeries s = syntheticDrop();
    velta::LevelSeries series{&s.pres, &s.tdry, &s.rh,  &s.wspd, &s.wdir, &s.u,
                              &s.v,    &s.alt,  &s.lat, &s.lon,  &s.dz};
    velta::StatusReporter quiet;
    const velta::SignificantLevels levels(quiet, series, velta::LevelOptions(), 0.0);

    velta::SoundingHeader header;
    header.ascending = false;
    header.launchLatitude = 25.3;
    header.launchLatitudeValid = true;
    header.launchLongitude = -75.6;
    header.launchLongitudeValid = true;
    header.year = 2005;
    header.month = 8;
    header.day = 28;
    header.hour = 18;
    header.minute = 10;
    velta::RemarkEntries entries;
    entries.icao = "KNHC";
    entries.agencyAircraft = "AF302";
    entries.missionId = "KATRINA";
    entries.observationNumber = "17";

    std::size_t lines = 0;
    int groups = 0;
    for (auto _ : state) {
        velta::TempMessage message = velta::codeDropMessage(levels.levels(), header, false);
        velta::applyRemarkEntries(message, levels.levels(), header, entries, 1125253200, "2.6.1");
        const std::vector<std::string> text = message.lines();
        lines = text.size();
        groups = message.groupCount();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["levels"] = static_cast<double>(levels.size());
    state.counters["groups"] = groups;
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CodeDropMessage)->Unit(benchmark::kMicrosecond);

}  // namespace
