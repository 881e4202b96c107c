// One drop end to end, without file output: read, QC, levels and message for a
// simulated 4 Hz research drop of about 15 minutes (about 3 400 records).
#include <benchmark/benchmark.h>

#include <sstream>

#include "DFileWriter.h"
#include "SimulatedDrop.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "document/SoundingProcessor.h"

namespace {

const std::string& dropFile() {
    static const std::string text = [] {
        velta::sim::DropSettings settings = velta::sim::defaultSettings(velta::sim::DropKind::Research);
        settings.rate = 4;
        velta::sim::SimulatedDrop drop = velta::sim::simulateDrop(settings);
        return velta::sim::formatDFile(settings, drop);
    }();
    return text;
}

void BM_QcRun(benchmark::State& state) {
    velta::OptionStore store;
    velta::ConfigSet options(store);
    velta::ProcessingLog log;
    std::istringstream in(dropFile());
    velta::QCEngine engine("D.1", in, options, log);
    velta::StatusReporter quiet;
    for (auto _ : state) {
        log.clear();
        engine.run(quiet);
    }
    state.counters["records"] = engine.series("RawTime")->size();
}
BENCHMARK(BM_QcRun)->Unit(benchmark::kMillisecond);

// The drop diagnosis alone, on the raw series of the loaded drop: what it adds
// to every run.
void BM_DropDiagnosis(benchmark::State& state) {
    velta::OptionStore store;
    velta::ConfigSet options(store);
    velta::ProcessingLog log;
    std::istringstream in(dropFile());
    velta::QCEngine engine("D.1", in, options, log);
    const velta::DiagnosisInputs inputs;
    for (auto _ : state) {
        velta::DropDiagnosis d = velta::diagnoseDrop(*engine.sounding(), engine.header(), inputs);
        benchmark::DoNotOptimize(d.findings.size());
    }
}
BENCHMARK(BM_DropDiagnosis)->Unit(benchmark::kMicrosecond);

// Argument: SfcAutoDetect (1: with the diagnosis acting, 0: findings only).
void BM_EndToEnd(benchmark::State& state) {
    const std::string& text = dropFile();
    for (auto _ : state) {
        velta::OptionStore store;
        velta::ConfigSet options(store);
        options.option("SfcAutoDetect")->setValue(static_cast<double>(state.range(0)));
        velta::SoundingProcessor processor(options, "0.1.0");
        std::istringstream in(text);
        processor.load("D.1", in);
        processor.processAll();
        benchmark::DoNotOptimize(processor.messageGroupCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_EndToEnd)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
