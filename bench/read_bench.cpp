// Reading sounding files: a 4 Hz, 15-minute Karvo D file (3600 data records,
// about 700 KB) through SoundingFile, alone and with building the Sounding,
// and a simulated format 1.7 file with a second sonde's records.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "io/SoundingFile.h"
#include "sounding/Sounding.h"

namespace {

// A D file as the Karvo data system writes it: header, 20 pre-launch records,
// launch and launch observation, then the drop at 4 Hz, comments at the end.
std::string makeDropFile(int records) {
    std::string text;
    text.reserve(static_cast<std::size_t>(records) * 200 + 4096);
    text += "KARVO-T01 VER  KARVO Airborne Data System 4.2.1, dropsonde receiver\r\n";
    text += "KARVO-T01 FMT  Version: 1.6   D file record layout\r\n";
    text += "KARVO-T01 TDF  0.000   PTU to wind time difference, s\r\n";
    char line[256];
    for (int i = 0; i < 20; ++i) {
        std::snprintf(line, sizeof line,
                      "KARVO-D01 P00 252405117 250915 1744%02d.00  699.66  25.05  29.29 999.00 999.00 999.00 "
                      " 999.000000  99.000000 99999.00  0  30.08 999.00 99.00  8.40 99999.00\r\n",
                      40 + i);
        text += line;
    }
    text += "KARVO-T01 LAU 252405117 250915 174500.00\r\n";
    text +=
        "KARVO-D01 A00 252405117 250915 174500.00  700.19  10.38  74.90 116.35  34.83 999.00  -74.836000 "
        " 23.512000  3141.66 99 999.00 999.00 99.00 99.00  3140.48\r\n";
    for (int i = 0; i < records; ++i) {
        const double t = 0.25 * (i + 1);
        const int whole = static_cast<int>(t);
        const int sec = 17 * 3600 + 45 * 60 + whole;
        const double frac = t - whole;
        const double p = 700.0 + 0.086 * t;
        const double alt = 3100.0 - 3.4 * t;
        std::snprintf(line, sizeof line,
                      "KARVO-D01 S%d0 252405117 250915 %02d%02d%05.2f %7.2f %6.2f %6.2f %6.2f %6.2f %6.2f "
                      "%11.6f %10.6f %8.2f %2d %6.2f %6.2f %5.2f %5.2f %8.2f\r\n",
                      i % 997 == 0 ? 1 : 0, sec / 3600, (sec / 60) % 60, (sec % 60) + frac, p,
                      10.0 + 0.005 * t, 75.0 + 10 * std::sin(t / 50), 110.0 + 20 * std::sin(t / 90),
                      30.0 + 5 * std::cos(t / 70), -10.0 - 0.002 * t, -74.836 + 1e-5 * t, 23.512 + 1e-5 * t,
                      alt, 9, 74.0, 999.0, 0.5, 8.4, alt + 1.0);
        text += line;
    }
    text += "KARVO-T01 COM Project Name/Flight ID:             TCX-25, 20250915A1\r\n";
    text += "KARVO-T01 COM Aircraft Type/ID:                   WC-130J, AF5309\r\n";
    text += "KARVO-T01 COM Operator Name/Comments:             R. Lindqvist, Eyewall drop\r\n";
    text += "KARVO-T01 COM Data Type/Data Channel:             FULL, 4 Hz, Channel 3\r\n";
    return text;
}

const std::string& dropFile() {
    static const std::string text = makeDropFile(3600);
    return text;
}

// Reads the text again and again as a file of the given name; wellRead says
// whether the reading gave what the text holds.
template <typename Check>
void readRepeatedly(benchmark::State& state, const std::string& text, const char* name, Check wellRead) {
    for (auto _ : state) {
        state.PauseTiming();  // the stream's own copy of the text is not the reader's work
        std::istringstream in(text, std::ios::in | std::ios::binary);
        state.ResumeTiming();
        velta::SoundingFile file(name, in);
        if (!file.valid() || !wellRead(file.raw())) state.SkipWithError("file not read");
        benchmark::DoNotOptimize(file.raw().records.pressure.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["file_KB"] = static_cast<double>(text.size()) / 1024.0;
}

void BM_ReadDropFile(benchmark::State& state) {
    readRepeatedly(state, dropFile(), "D20250915_174500.1",
                   [](const velta::RawData& raw) { return raw.records.count() == 3600; });
}
BENCHMARK(BM_ReadDropFile)->Unit(benchmark::kMillisecond);

void BM_ReadDropFileAndBuildSounding(benchmark::State& state) {
    const std::string& text = dropFile();
    for (auto _ : state) {
        state.PauseTiming();
        std::istringstream in(text, std::ios::in | std::ios::binary);
        state.ResumeTiming();
        velta::SoundingFile file("D20250915_174500.1", in);
        velta::Sounding sounding(file);
        benchmark::DoNotOptimize(sounding.series("RawPres"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadDropFileAndBuildSounding)->Unit(benchmark::kMillisecond);

// A format 1.7 file as current data systems write it, from the simulator: a
// 15-minute research drop at 4 Hz with PTU on every other record, five
// minutes of pre-launch records, and a second sonde in the cabin recording
// its own records for 40 minutes.
const std::string& format17File() {
    static const std::string text = [] {
        velta::sim::DropSettings s = velta::sim::defaultSettings(velta::sim::DropKind::Research);
        s.formatVersion = 1.7;
        s.scenario = velta::sim::Scenario::SecondCabin;
        velta::sim::applyLayout(s);
        return velta::sim::formatDFile(s, velta::sim::simulateDrop(s));
    }();
    return text;
}

void BM_ReadFormat17File(benchmark::State& state) {
    readRepeatedly(state, format17File(), "D20250916_203000.1",
                   [](const velta::RawData& raw) { return raw.setAsideSondes.size() == 1; });
}
BENCHMARK(BM_ReadFormat17File)->Unit(benchmark::kMillisecond);

}  // namespace
