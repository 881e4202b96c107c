#include "cli/BatchApp.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <ctime>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BuildInfo.h"
#include "cli/BatchOptions.h"
#include "cli/BatchOutputs.h"
#include "cli/BatchRunner.h"
#include "cli/ConfigLocation.h"
#include "cli/DecodeCommand.h"
#include "cli/Progress.h"
#include "cli/SoundingReport.h"
#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "document/KarvoEdDoc.h"
#include "document/SoundingProcessor.h"
#include "wmo/DoubtfulHeights.h"
#include "wmo/Remarks.h"

namespace velta::cli {
namespace {

// One file through the pipeline with a configuration set of its own over the
// worker's registry; nothing is ever saved.
FileResult processFile(const std::string& file, const BatchOptions& options, Registry& registry) {
    FileResult result;
    ConfigSet configuration(registry);
    std::string problem;
    applyOptionAssignments(configuration, options.assignments, problem);  // checked before the run

    std::ifstream input(file, std::ios::binary);
    if (!input.is_open()) {
        result.errors = file + ": cannot be opened for reading.\n";
        return result;
    }
    SoundingProcessor processor(configuration, build::kVersion);
    if (!processor.load(file, input)) {
        result.errors = file + ": file is not in an acceptable format for Velta.\n" + processor.loadErrorText();
        return result;
    }
    result.accepted = true;
    processor.processAll();
    result.qcFailed = processor.qcFailed();
    if (TempMessage* message = processor.message(); message && processor.levels()) {
        const SoundingHeader header = processor.header();
        if (!header.ascending) {
            applyRemarkEntries(*message, processor.levels()->levels(), header,
                               remarkEntries(options, configuration), options.messageTime, build::kVersion);
            if (options.doubtfulHeights) setDoubtfulHeights(*message, processor.levels()->levels(), true);
        }
    }
    if (!options.writes.empty()) result.errors += writeOutputs(file, processor, options.writes, options.outputDir);
    std::ostringstream out;
    if (options.showing("summary")) writeSoundingReport(out, file, processor);
    if (options.showing("levels")) {
        if (!options.showing("summary")) out << "== " << file << "\n";
        writeLevelsListing(out, processor);
    }
    if (options.showing("message")) writeMessage(out, processor);
    result.report = out.str();
    return result;
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        if (!part.empty()) parts.push_back(part);
    return parts;
}

// "2025-09-15T18:00" as seconds since 1970 UTC.
std::optional<std::time_t> parseUtcMinute(const std::string& text) {
    std::tm t{};
    char rest = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d%c", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour, &t.tm_min,
                    &rest) != 5)
        return std::nullopt;
    if (t.tm_mon < 1 || t.tm_mon > 12 || t.tm_mday < 1 || t.tm_mday > 31 || t.tm_hour > 23 || t.tm_min > 59)
        return std::nullopt;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    return timegm(&t);
}

int defaultJobs() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

}  // namespace

int runBatch(int argc, char** argv) {
    CLI::App app{"Processes dropsonde and radiosonde soundings: reads each file, runs quality control and "
                 "reports what was found.",
                 "velta-batch"};
    app.set_version_flag("--version", std::string("velta-batch ") + build::kVersion);
    app.footer("Exit status: 0 when every file was processed (with --decode: every file held a message that "
               "could be decoded); 1 when a file was rejected, held no decodable message, could not be read, or "
               "the configuration is missing or broken; 2 for a usage error.\n");
    BatchOptions options;
    app.add_option("FILE", options.files,
                   "Sounding files to process (Karvo D files and the other formats), or message files with "
                   "--decode")
        ->required()
        ->check(CLI::ExistingFile);
    app.add_option("--config", options.configPath,
                   "Configuration file to read instead of velta.xml (never written)");
    app.add_option("--set", options.setName, "Configuration set to use instead of the active one");
    app.add_option("--option", options.assignments,
                   "Name=value: sets an option or an override for this run only (repeatable)");
    std::string show = "summary,levels,message";
    app.add_option("--show", show,
                   "What to print for each file, comma-separated: summary, levels, message, all or none")
        ->capture_default_str()
        ->check([](const std::string& text) -> std::string {
            for (const std::string& part : splitList(text))
                if (part != "summary" && part != "levels" && part != "message" && part != "all" && part != "none")
                    return "unknown part '" + part + "' (summary, levels, message, all, none)";
            return {};
        });
    bool decode = false;
    app.add_flag("--decode", decode,
                 "Decode the TEMP DROP and TEMP messages in the files instead of processing soundings: prints "
                 "their levels as a table (or writes FILE_decoded.csv with -w decoded-csv) and reports each "
                 "malformed group as FILE:LINE:COLUMN");
    std::string writes;
    app.add_option("-w,--write", writes,
                   "Files to write for each input, comma-separated: message, levels, log, qc-qsf, qc-csv, "
                   "qc-tvx, qc-nc, raw-qsf, raw-csv, raw-tvx, raw-nc, or all; with --decode: decoded-csv")
        ->check([](const std::string& text) -> std::string {
            for (const std::string& part : splitList(text))
                if (!isOutputKind(part) && part != "decoded-csv") return "unknown output '" + part + "'";
            return {};
        });
    app.add_option("-o,--output-dir", options.outputDir, "Directory the files are written into (created when "
                                                          "missing)")
        ->capture_default_str();
    std::string messageTime;
    app.add_option("--message-time", messageTime,
                   "UTC time for the heading's DDHHMM, as YYYY-MM-DDTHH:MM (default: now + 2 minutes)")
        ->check([](const std::string& text) -> std::string {
            return parseUtcMinute(text) ? std::string() : "expected YYYY-MM-DDTHH:MM";
        });
    auto* remarks = app.add_option_group("Heading and remarks",
                                         "The operator's entries for the heading, 61616 and 62626 of a drop's "
                                         "message; unset ones come from the configuration set");
    remarks->add_option("--icao", options.icao, "ICAO identifier of the heading (4 characters)");
    remarks->add_option("--header-override", options.headerOverride, "Abbreviated heading override");
    remarks->add_option("--correction", options.correction, "Correction number (COR nn)")->check(CLI::Range(0, 99));
    remarks->add_option("--agency", options.agency, "Agency and aircraft (61616)");
    remarks->add_option("--storm", options.storm, "Mission storm system (61616)");
    remarks->add_option("--mission", options.missionId, "Mission identifier (61616)");
    remarks->add_option("--observation", options.observation, "Observation number (61616 OB nn)");
    remarks->add_option("--environment", options.environment, "Drop environment (62626)")
        ->check(CLI::IsMember({"", "EYE", "EYEWALL", "RAINBAND", "MXWNDBND"}));
    remarks->add_option("--azimuth", options.azimuth, "Eyewall azimuth, degrees")->check(CLI::Range(0.0, 360.0));
    remarks->add_option("--retransmission", options.retransmission, "Retransmitted observation number");
    remarks->add_flag("--corrected", options.correctedReport, "Corrected report");
    remarks->add_flag("--last-report", options.lastReport, "Last report of the mission");
    remarks->add_option("--atcf", options.atcfId, "ATCF storm identifier");
    remarks->add_flag("--doubtful-heights", options.doubtfulHeights, "Mark the heights doubtful (10166)");
    options.jobs = defaultJobs();
    app.add_option("-j,--jobs", options.jobs, "Files processed in parallel (default: the number of cores)")
        ->check(CLI::Range(1, 256))
        ->capture_default_str();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version answer 0; every usage error answers 2.
        int code = app.exit(e);
        return code == 0 ? 0 : 2;
    }

    if (decode || writes.find("decoded-csv") != std::string::npos) {
        const std::vector<std::string> kinds = splitList(writes);
        const bool csv = std::find(kinds.begin(), kinds.end(), "decoded-csv") != kinds.end();
        if (!decode || kinds.size() != (csv ? 1u : 0u)) {
            std::cerr << "velta-batch: " << (decode ? "--decode writes only decoded-csv" : "decoded-csv needs --decode")
                      << "\n";
            return 2;
        }
        std::error_code ec;
        if (csv) std::filesystem::create_directories(options.outputDir, ec);
        if (csv && (!std::filesystem::is_directory(options.outputDir, ec) || access(options.outputDir.c_str(), W_OK) != 0)) {
            std::cerr << "velta-batch: cannot write into the output directory " << options.outputDir << "\n";
            return 2;
        }
        return runDecode(options.files, csv, options.outputDir, std::cout, std::cerr);
    }
    options.show = splitList(show);
    for (const std::string& kind : splitList(writes)) {
        if (kind == "all")
            options.writes = outputKinds();
        else if (std::find(options.writes.begin(), options.writes.end(), kind) == options.writes.end())
            options.writes.push_back(kind);
    }
    if (!options.writes.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options.outputDir, ec);
        if (!std::filesystem::is_directory(options.outputDir, ec) || access(options.outputDir.c_str(), W_OK) != 0) {
            std::cerr << "velta-batch: cannot write into the output directory " << options.outputDir << "\n";
            return 2;
        }
    }
    options.messageTime = messageTime.empty() ? std::time(nullptr) + 120 : *parseUtcMinute(messageTime);
    ConfigLocation config = locateConfiguration(options.configPath, argc > 0 ? argv[0] : "");
    if (!config.found) {
        std::cerr << configurationNotFoundMessage(config.tried.empty() ? "velta.xml" : config.tried.back())
                  << "\nLooked at:";
        for (const auto& p : config.tried) std::cerr << "\n  " << p;
        std::cerr << "\n";
        return 1;
    }

    // One registry per worker, read here on one thread: the XML library's set-up
    // is not to be raced.
    const int jobs = std::min<int>(options.jobs, static_cast<int>(options.files.size()));
    std::vector<std::unique_ptr<Registry>> registries;
    for (int w = 0; w < jobs; ++w) {
        auto registry = std::make_unique<Registry>(config.path);
        if (registry->status() != 0) {
            std::cerr << configurationBrokenMessage() << "\n(" << config.path << ")\n";
            return 1;
        }
        if (!options.setName.empty()) {
            auto names = registry->setNames();
            if (std::find(names.begin(), names.end(), options.setName) == names.end()) {
                std::cerr << "velta-batch: no configuration set named '" << options.setName << "' in "
                          << config.path << "\n";
                return 2;
            }
            registry->setActiveSetName(options.setName);
        }
        registries.push_back(std::move(registry));
    }
    {
        // Check the assignments once, before any file is read.
        ConfigSet probe(*registries.front());
        std::string problem;
        if (!applyOptionAssignments(probe, options.assignments, problem)) {
            std::cerr << "velta-batch: " << problem << "\n";
            return 2;
        }
    }

    const int total = static_cast<int>(options.files.size());
    int rejected = 0, qcErrors = 0;
    Progress progress(total, stderr);
    runJobs(
        total, jobs,
        [&](int worker, int file) {
            return processFile(options.files[static_cast<std::size_t>(file)], options,
                               *registries[static_cast<std::size_t>(worker)]);
        },
        [&](int file, FileResult& r) {
            if (!r.accepted) ++rejected;
            if (r.qcFailed) ++qcErrors;
            std::cout << r.report;
            std::cout.flush();
            if (!r.errors.empty()) {
                progress.clearLine();
                std::cerr << r.errors;
                std::cerr.flush();
            }
            progress.advance(options.files[static_cast<std::size_t>(file)], r.accepted);
        });
    if (total > 1) {
        progress.clearLine();
        std::fprintf(stderr, "%d files processed, %d rejected, %d with QC errors\n", total - rejected, rejected,
                     qcErrors);
    }
    return rejected == 0 ? 0 : 1;
}

}  // namespace velta::cli
