#include "cli/BatchApp.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BuildInfo.h"
#include "cli/BatchOptions.h"
#include "cli/ConfigLocation.h"
#include "cli/SoundingReport.h"
#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "document/KarvoEdDoc.h"
#include "document/SoundingProcessor.h"

namespace velta::cli {
namespace {

// One file through the pipeline with a private configuration; never saved.
int processFile(const std::string& file, const BatchOptions& options, const std::string& configPath,
                std::ostream& out, std::ostream& err) {
    Registry registry(configPath);
    if (registry.status() != 0) {
        err << configurationBrokenMessage() << "\n(" << configPath << ")\n";
        return 2;
    }
    if (!options.setName.empty()) registry.setActiveSetName(options.setName);
    ConfigSet configuration(registry);
    std::string problem;
    if (!applyOptionAssignments(configuration, options.assignments, problem)) {
        err << "velta-batch: " << problem << "\n";
        return 2;
    }

    std::ifstream input(file, std::ios::binary);
    if (!input.is_open()) {
        err << file << ": cannot be opened for reading.\n";
        return 1;
    }
    SoundingProcessor processor(configuration, build::kVersion);
    if (!processor.load(file, input)) {
        err << file << ": file is not in an acceptable format for Velta.\n" << processor.loadErrorText();
        return 1;
    }
    processor.processAll();
    writeSoundingReport(out, file, processor);
    return 0;
}

}  // namespace

int runBatch(int argc, char** argv) {
    CLI::App app{"Processes dropsonde and radiosonde soundings: reads each file, runs quality control and "
                 "reports what was found.",
                 "velta-batch"};
    app.set_version_flag("--version", std::string("velta-batch ") + build::kVersion);
    BatchOptions options;
    app.add_option("FILE", options.files, "Sounding files to process (Karvo D files and the other formats)")
        ->required()
        ->check(CLI::ExistingFile);
    app.add_option("--config", options.configPath,
                   "Configuration file to read instead of velta.xml (never written)");
    app.add_option("--set", options.setName, "Configuration set to use instead of the active one");
    app.add_option("--option", options.assignments,
                   "Name=value: sets an option or an override for this run only (repeatable)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version answer 0; every usage error answers 2.
        int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }

    ConfigLocation config = locateConfiguration(options.configPath, argc > 0 ? argv[0] : "");
    if (!config.found) {
        std::cerr << configurationNotFoundMessage(config.tried.empty() ? "velta.xml" : config.tried.back())
                  << "\nLooked at:";
        for (const auto& p : config.tried) std::cerr << "\n  " << p;
        std::cerr << "\n";
        return 1;
    }
    if (!options.setName.empty()) {
        Registry registry(config.path);
        if (registry.status() == 0) {
            auto names = registry.setNames();
            if (std::find(names.begin(), names.end(), options.setName) == names.end()) {
                std::cerr << "velta-batch: no configuration set named '" << options.setName << "' in "
                          << config.path << "\n";
                return 2;
            }
        }
    }

    int rejected = 0;
    for (const std::string& file : options.files) {
        int code = processFile(file, options, config.path, std::cout, std::cerr);
        if (code == 2) return 2;
        if (code != 0) ++rejected;
    }
    return rejected == 0 ? 0 : 1;
}

}  // namespace velta::cli
