// Decoding a drop's TEMP DROP message: a simulated research drop from above
// 100 mb through the pipeline, its message (parts A to D with remarks) read
// back by Velta's decoder.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "document/SoundingProcessor.h"
#include "wmo/Remarks.h"
#include "wmo/TempDecoder.h"

namespace {

std::string dropMessage(double launchPressure) {
    velta::sim::DropSettings settings = velta::sim::defaultSettings(velta::sim::DropKind::Research);
    settings.launchPressure = launchPressure;
    settings.seed = 3;
    const velta::sim::SimulatedDrop drop = velta::sim::simulateDrop(settings);
    velta::OptionStore store;
    velta::ConfigSet options(store);
    velta::SoundingProcessor processor(options, "3.1.4");
    std::istringstream in(velta::sim::formatDFile(settings, drop));
    if (!processor.load("D.1", in)) return {};
    processor.processAll();
    if (!processor.message() || !processor.levels()) return {};
    velta::RemarkEntries entries;
    entries.icao = "KNHC";
    entries.agencyAircraft = "AF302";
    entries.missionStorm = "0715A";
    entries.missionId = "MARIA";
    entries.atcfId = "AL152017";
    velta::applyRemarkEntries(*processor.message(), processor.levels()->levels(), processor.header(), entries,
                              1505875800, "3.1.4");
    return processor.message()->text(false);
}

void BM_DecodeDropMessage(benchmark::State& state) {
    const std::string text = dropMessage(static_cast<double>(state.range(0)));
    std::size_t levels = 0;
    for (auto _ : state) {
        const velta::DecodeResult result = velta::decodeTempMessages(text);
        levels = result.messages.empty() ? 0 : result.messages[0].levels.size();
        benchmark::DoNotOptimize(result.messages.data());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["levels"] = static_cast<double>(levels);
}
// From 150 mb (parts A and B) and from 90 mb (parts A to D).
BENCHMARK(BM_DecodeDropMessage)->Arg(150)->Arg(90)->Unit(benchmark::kMicrosecond);

}  // namespace
