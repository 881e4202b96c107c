#include "cli/BatchOutputs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "cli/BatchInputs.h"
#include "cli/SoundingReport.h"
#include "document/DataExport.h"
#include "document/SoundingProcessor.h"
#include "config/AtomicOutput.h"
#include "io/SaveCommand.h"

namespace velta::cli {
namespace {

// A symbolic link at an output's place is replaced, never written through:
// the link goes and the output takes its name.
std::string removeLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return {};
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return {};
    return path + ": the symbolic link there cannot be replaced: " + std::strerror(errno) + "; not written\n";
}

std::string writeText(const std::string& path, const std::string& text) {
    AtomicOutput out(path);
    if (!out.ok() || !out.write(text) || !out.commit()) return path + ": " + out.errorText() + "\n";
    return {};
}

std::string levelsText(const SoundingProcessor& processor) {
    std::ostringstream out;
    writeLevelsListing(out, processor);
    return out.str();
}

std::string logText(const SoundingProcessor& processor) {
    std::ostringstream out;
    for (const auto& [name, value] : processor.processingInformation()) out << name << ": " << value << "\n";
    for (const std::string& category : processor.logCategories()) {
        out << category << ":\n";
        for (const std::string& line : processor.logLines(category)) out << "  " << line << "\n";
    }
    return out.str();
}

}  // namespace

const std::vector<std::string>& outputKinds() {
    static const std::vector<std::string> kinds = {"message", "levels",  "log",     "qc-qsf",  "qc-csv", "qc-tvx",
                                                   "qc-nc",   "raw-qsf", "raw-csv", "raw-tvx", "raw-nc"};
    return kinds;
}

bool isOutputKind(const std::string& kind) {
    if (kind == "all") return true;
    for (const std::string& k : outputKinds())
        if (k == kind) return true;
    return false;
}

std::string outputPath(const std::string& directory, const std::string& input, const std::string& kind) {
    std::string name;
    if (kind == "message")
        name = defaultSaveName(input, ".txt");
    else if (kind == "levels")
        name = defaultSaveName(input, "_levels.txt");
    else if (kind == "log")
        name = defaultSaveName(input, "_log.txt");
    else if (kind.rfind("qc-", 0) == 0)
        name = defaultSaveName(input, "QC." + kind.substr(3));
    else
        name = defaultSaveName(input, "RAW." + kind.substr(4));
    return (std::filesystem::path(directory) / name).string();
}

std::string writeOutputs(const std::string& input, const SoundingProcessor& processor,
                         const std::vector<std::string>& kinds, const std::string& directory,
                         const InputFiles& inputs) {
    std::string problems;
    for (const std::string& kind : kinds) {
        const std::string path = outputPath(directory, input, kind);
        if (inputs.contains(path)) {
            problems += path + ": is " +
                        (InputFiles({input}).contains(path) ? "the input file" : "an input of this run") +
                        "; not written\n";
            continue;
        }
        if (kind == "message") {
            const TempMessage* message = processor.message();
            // A file without data for a message was reported already.
            if (!message && !processor.noMessageReason().empty()) continue;
            if (!message) {
                problems += path + ": no message was coded; not written\n";
                continue;
            }
        }
        if (const std::string problem = removeLink(path); !problem.empty()) {
            problems += problem;
            continue;
        }
        if (kind == "message") {
            const TempMessage* message = processor.message();
            const bool nnnn = processor.configuration().numericValue("TempAppendNNNN").value_or(0.0) != 0.0;
            problems += writeText(path, message->text(nnnn));
        } else if (kind == "levels") {
            problems += writeText(path, levelsText(processor));
        } else if (kind == "log") {
            problems += writeText(path, logText(processor));
        } else {
            DataExport exported(processor, kind.rfind("qc-", 0) == 0 ? DataKind::QC : DataKind::Raw);
            SaveOutcome outcome = saveDataFile(path, exported.data());
            if (!outcome.saved) problems += outcome.message + (outcome.message.empty() ? "" : "\n");
        }
    }
    return problems;
}

}  // namespace velta::cli
