#include "cli/BatchApp.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <ctime>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BuildInfo.h"
#include "cli/BatchInputs.h"
#include "cli/BatchOptions.h"
#include "cli/BatchOutputs.h"
#include "cli/BatchRunner.h"
#include "cli/ConfigLocation.h"
#include "cli/DecodeCommand.h"
#include "cli/Progress.h"
#include "cli/RunConfiguration.h"
#include "cli/SoundingReport.h"
#include "config/AtomicOutput.h"
#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "document/KarvoEdDoc.h"
#include "document/SoundingProcessor.h"
#include "io/SoundingReader.h"
#include "wmo/DoubtfulHeights.h"
#include "wmo/RemarkEntryCheck.h"
#include "wmo/Remarks.h"

namespace velta::cli {
namespace {

// Exit statuses; a run that meets several conditions answers the highest.
constexpr int kExitRejected = 1;     // a file rejected or not processed, or no configuration
constexpr int kExitUsage = 2;        // a usage error: nothing was processed
constexpr int kExitWriteFailed = 3;  // an output file or standard output could not be written
constexpr int kExitFindings = 4;     // --strict: a drop has a finding of the drop diagnosis

// One file through the pipeline with a configuration set of its own over the
// worker's copy of the run's configuration; nothing is ever saved.
FileResult processOneFile(const std::string& file, const BatchOptions& options, OptionStore& store,
                          const InputFiles& inputs) {
    FileResult result;
    if (std::string problem = inputProblem(file); !problem.empty()) {
        result.errors = problem;
        return result;
    }
    ConfigSet configuration(store);
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
    result.findings = static_cast<int>(processor.findings().size());
    for (const DropFinding& finding : processor.findings()) result.errors += file + ": " + finding.line() + "\n";
    if (!processor.noMessageReason().empty()) {
        // Without data for a message the file is not processed.
        result.accepted = false;
        result.errors = file + ": " + processor.noMessageReason() + "\n";
    }
    if (TempMessage* message = processor.message(); message && processor.levels()) {
        const SoundingHeader header = processor.header();
        if (!header.ascending) {
            applyRemarkEntries(*message, processor.levels()->levels(), header,
                               remarkEntries(options, configuration), options.messageTime, build::kVersion);
            if (options.doubtfulHeights) setDoubtfulHeights(*message, processor.levels()->levels(), true);
        }
    }
    if (!options.writes.empty()) {
        const std::string problems = writeOutputs(file, processor, options.writes, options.outputDir, inputs);
        result.writeFailed = !problems.empty();
        result.errors += problems;
    }
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

// A file that takes more memory than there is fails alone, not the batch.
FileResult processFile(const std::string& file, const BatchOptions& options, OptionStore& store,
                       const InputFiles& inputs) {
    try {
        return processOneFile(file, options, store, inputs);
    } catch (const std::bad_alloc&) {
        FileResult result;
        result.errors = file + ": not enough memory to process this file.\n";
        return result;
    }
}

// Standard output, where a failed write is noticed once and said on standard error.
class ReportOutput {
public:
    void write(const std::string& text) {
        if (failed_ || text.empty()) return;
        std::cout << text;
        std::cout.flush();
        check();
    }
    // Flushes what is left; true when everything reached standard output.
    bool finish() {
        if (!failed_) {
            std::cout.flush();
            check();
        }
        return !failed_;
    }

private:
    void check() {
        const bool bad = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
        if (!bad) return;
        failed_ = true;
        const int error = errno;
        std::cerr << "velta-batch: cannot write to standard output" << (error ? ": " : "")
                  << (error ? std::strerror(error) : "") << "; the report is incomplete\n";
    }
    bool failed_ = false;
};

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
    if (!launchDateTimeValid(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, 0)) return std::nullopt;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    return timegm(&t);
}

int defaultJobs() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

// A check for a remark entry: printable ASCII of at most the field's width.
std::function<std::string(const std::string&)> remarkText(std::size_t width) {
    return [width](const std::string& text) -> std::string {
        if (validRemarkText(text, width)) return {};
        return "expected at most " + std::to_string(width) + " printable ASCII characters";
    };
}

}  // namespace

int runBatch(int argc, char** argv) {
    CLI::App app{"Processes dropsonde and radiosonde soundings: reads each file, runs quality control and "
                 "reports what was found.",
                 "velta-batch"};
    app.set_version_flag("--version", std::string("velta-batch ") + build::kVersion);
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
    bool strict = false;
    app.add_flag("--strict", strict,
                 "Exit with status 4 when the drop diagnosis found a problem in any drop (signal lost before the "
                 "surface, data after the sonde stopped falling, a launch point that cannot be joined to the data)");
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
    remarks->add_option("--icao", options.icao, "ICAO identifier of the heading (4 letters)")
        ->check([](const std::string& text) -> std::string {
            return validIcao(text) ? std::string() : "expected four letters A to Z";
        });
    remarks->add_option("--header-override", options.headerOverride, "Abbreviated heading override")
        ->check(remarkText(RemarkEntries::HeaderOverrideLength));
    remarks->add_option("--correction", options.correction, "Correction number (COR nn)")->check(CLI::Range(0, 99));
    remarks->add_option("--agency", options.agency, "Agency and aircraft (61616)")
        ->check(remarkText(RemarkEntries::AgencyLength));
    remarks->add_option("--storm", options.storm, "Mission storm system (61616)")
        ->check(remarkText(RemarkEntries::StormLength));
    remarks->add_option("--mission", options.missionId, "Mission identifier (61616)")
        ->check(remarkText(RemarkEntries::MissionIdLength));
    remarks->add_option("--observation", options.observation, "Observation number (61616 OB nn)")
        ->check(remarkText(RemarkEntries::ObservationLength));
    remarks->add_option("--environment", options.environment, "Drop environment (62626)")
        ->check(CLI::IsMember({"", "EYE", "EYEWALL", "RAINBAND", "MXWNDBND"}));
    remarks->add_option("--azimuth", options.azimuth, "Eyewall azimuth, degrees (0 to 360)")
        ->check([](const std::string& text) -> std::string {
            double value = 0.0;
            if (!parseNumber(text, value) || value < 0.0 || value > 360.0) return "expected 0 to 360 degrees";
            return {};
        });
    remarks->add_option("--retransmission", options.retransmission, "Retransmitted observation number")
        ->check(remarkText(RemarkEntries::RetransmissionLength));
    remarks->add_flag("--corrected", options.correctedReport, "Corrected report");
    remarks->add_flag("--last-report", options.lastReport, "Last report of the mission");
    remarks->add_option("--atcf", options.atcfId, "ATCF storm identifier")->check(remarkText(RemarkEntries::AtcfLength));
    remarks->add_flag("--doubtful-heights", options.doubtfulHeights, "Mark the heights doubtful (10166)");
    options.jobs = defaultJobs();
    app.add_option("-j,--jobs", options.jobs, "Files processed in parallel (default: the number of cores)")
        ->check(CLI::Range(1, 256))
        ->capture_default_str();
    app.footer(
        "Exit status: 0 when every file was processed and every output written; 1 when a file was rejected or "
        "not processed (no message could be coded from its data), held no decodable message (--decode), or the "
        "configuration cannot be read; 2 for a "
        "usage error; 3 when an output file or standard output could not be written (over 1); with --strict, 4 "
        "when a drop has a finding of the drop diagnosis and nothing above happened.\n"
        "Each finding is written to standard error as FILE: finding, and listed under \"Drop Diagnosis\" in "
        "the summary.\n"
        "Inputs must be regular files of at most 64 MiB. No output replaces an input of the run, two inputs "
        "whose outputs would share names are refused (the later one), and a symbolic link at an output's place "
        "is replaced, never written through.");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version answer 0; every usage error answers 2.
        int code = app.exit(e);
        if (code != 0) return kExitUsage;
        return std::cout.flush() && std::fflush(stdout) == 0 ? 0 : kExitWriteFailed;
    }
    removeTemporaryFilesOnSignals();

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
            return kExitUsage;
        }
    }
    options.messageTime = messageTime.empty() ? std::time(nullptr) + 120 : *parseUtcMinute(messageTime);
    ConfigLocation config = locateConfiguration(options.configPath, argc > 0 ? argv[0] : "");
    if (!config.found) {
        std::cerr << configurationNotFoundMessage(config.tried.empty() ? "velta.xml" : config.tried.back())
                  << "\nLooked at:";
        for (const auto& p : config.tried) std::cerr << "\n  " << p;
        std::cerr << "\n";
        return kExitRejected;
    }

    // The configuration is read once; each worker gets a copy of the chosen
    // set's values, so the workers share nothing.
    std::vector<std::unique_ptr<OptionStore>> stores;
    const int jobs = std::min<int>(options.jobs, static_cast<int>(options.files.size()));
    {
        Registry registry(config.path);
        if (registry.status() != 0) {
            std::cerr << configurationBrokenMessage() << "\n(" << config.path << ")\n";
            return kExitRejected;
        }
        if (!options.setName.empty()) {
            auto names = registry.setNames();
            if (std::find(names.begin(), names.end(), options.setName) == names.end()) {
                std::cerr << "velta-batch: no configuration set named '" << options.setName << "' in "
                          << config.path << "\n";
                return kExitUsage;
            }
            registry.setActiveSetName(options.setName);
        }
        // Check the assignments once, before any file is read.
        ConfigSet chosen(registry);
        std::string problem;
        if (!applyOptionAssignments(chosen, options.assignments, problem)) {
            std::cerr << "velta-batch: " << problem << "\n";
            return kExitUsage;
        }
        for (int w = 0; w < jobs; ++w) stores.push_back(std::make_unique<CopiedOptionStore>(chosen));
    }

    const InputFiles inputs(options.files);
    const std::vector<int> clashes = outputNameClashes(options.files, options.writes, options.outputDir);
    const int total = static_cast<int>(options.files.size());
    int rejected = 0, qcErrors = 0, withFindings = 0;
    bool writeFailed = false;
    ReportOutput report;
    Progress progress(total, stderr);
    runJobs(
        total, jobs,
        [&](int worker, int file) {
            const auto index = static_cast<std::size_t>(file);
            if (clashes[index] >= 0) {
                FileResult refused;
                refused.errors = options.files[index] + ": its outputs would have the names of those of " +
                                 options.files[static_cast<std::size_t>(clashes[index])] + "; not processed.\n";
                return refused;
            }
            return processFile(options.files[index], options, *stores[static_cast<std::size_t>(worker)],
                               inputs);
        },
        [&](int file, FileResult& r) {
            if (!r.accepted) ++rejected;
            if (r.qcFailed) ++qcErrors;
            if (r.findings > 0) ++withFindings;
            writeFailed = writeFailed || r.writeFailed;
            report.write(r.report);
            if (!r.errors.empty()) {
                progress.clearLine();
                std::cerr << r.errors;
                std::cerr.flush();
            }
            progress.advance(options.files[static_cast<std::size_t>(file)], r.accepted);
        });
    if (total > 1) {
        progress.clearLine();
        std::fprintf(stderr, "%d files processed, %d rejected, %d with QC errors, %d with findings\n",
                     total - rejected, rejected, qcErrors, withFindings);
    }
    if (!report.finish()) writeFailed = true;
    if (writeFailed) return kExitWriteFailed;
    if (rejected != 0) return kExitRejected;
    return strict && withFindings > 0 ? kExitFindings : 0;
}

}  // namespace velta::cli
