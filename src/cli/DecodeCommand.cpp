#include "cli/DecodeCommand.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "cli/BatchInputs.h"
#include "config/AtomicOutput.h"
#include "io/SaveCommand.h"
#include "io/SoundingFile.h"
#include "wmo/TempDecoder.h"

namespace velta::cli {
namespace {

const char* const PartNames[] = {"A", "B", "C", "D"};

const char* partName(int index) { return index >= 0 && index < 4 ? PartNames[index] : "?"; }

// A value with a fixed number of decimals, or the text for missing.
std::string number(const std::optional<double>& v, int decimals, const char* missing) {
    if (!v) return missing;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, *v);
    // The C library's own decimal mark: the C locale unless the program set another.
    for (char& c : buffer)
        if (c == ',') c = '.';
    return buffer;
}

std::string windText(const DecodedLevel& l) {
    if (!l.direction || !l.speed) return "-";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%03.0f/%03.0f %s", *l.direction, *l.speed, l.knots ? "kt" : "m/s");
    return buffer;
}

std::string messageTitle(const DecodedMessage& m, std::size_t index) {
    std::string title = "message " + std::to_string(index + 1) + " (line " + std::to_string(m.line) + ")";
    if (m.heading) title += ": " + m.heading->text;
    for (const DecodedPart& p : m.parts) title += " " + p.identifier;
    return title;
}

// The whole file, or why it cannot be read: not a regular file, larger than any
// input may be, or unreadable.
std::string readWhole(const std::string& path, std::string& problem) {
    problem = inputProblem(path);
    if (!problem.empty()) return {};
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) > SoundingFile::MaxInputBytes) {
        problem = "is larger than " + std::to_string(SoundingFile::MaxInputBytes >> 20) + " MiB; not read";
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in.is_open()) text << in.rdbuf();
    if (!in.is_open() || in.bad()) problem = "cannot be opened for reading";
    return text.str();
}

}  // namespace

void writeDecodedTable(std::ostream& out, const DecodeResult& result) {
    for (std::size_t i = 0; i < result.messages.size(); ++i) {
        const DecodedMessage& m = result.messages[i];
        out << messageTitle(m, i) << "\n";
        char line[160];
        std::snprintf(line, sizeof line, "%9s %8s %6s %6s %12s  %-24s %s\n", "pres mb", "height m", "temp C",
                      "dewpt C", "wind", "level", "part");
        out << line;
        for (const DecodedLevel& l : m.levels) {
            std::snprintf(line, sizeof line, "%9s %8s %6s %6s %12s  %-24s %s\n", number(l.pressure, 1, "-").c_str(),
                          number(l.height, 0, "-").c_str(), number(l.temperature, 1, "-").c_str(),
                          number(l.dewPoint(), 1, "-").c_str(), windText(l).c_str(), levelKindName(l.kind),
                          partName(l.part));
            out << line;
        }
    }
}

std::string decodedCsv(const DecodeResult& result) {
    std::string csv = "message,part,level,pressure_mb,height_m,temperature_c,dew_point_c,wind_direction_deg,"
                      "wind_speed,wind_unit\n";
    for (std::size_t i = 0; i < result.messages.size(); ++i)
        for (const DecodedLevel& l : result.messages[i].levels) {
            csv += std::to_string(i + 1) + "," + partName(l.part) + "," + levelKindName(l.kind) + "," +
                   number(l.pressure, 1, "") + "," + number(l.height, 0, "") + "," + number(l.temperature, 1, "") +
                   "," + number(l.dewPoint(), 1, "") + "," + number(l.direction, 0, "") + "," +
                   number(l.speed, 0, "") + "," + (l.speed ? (l.knots ? "kt" : "m/s") : "") + "\n";
        }
    return csv;
}

int runDecode(const std::vector<std::string>& files, bool csv, const std::string& directory, std::ostream& out,
              std::ostream& err) {
    int status = 0;
    const InputFiles inputs(files);
    for (const std::string& file : files) {
        std::string problem;
        const std::string text = readWhole(file, problem);
        if (!problem.empty()) {
            err << file << ": " << problem << ".\n";
            status = std::max(status, 1);
            continue;
        }
        const DecodeResult result = decodeTempMessages(text);
        for (const DecodeProblem& p : result.problems)
            err << file << ":" << p.line << ":" << p.column << ": " << p.reason << " '" << p.group << "'\n";
        if (result.messages.empty()) {
            err << file << ": holds no TEMP DROP or TEMP message that could be decoded.\n";
            status = std::max(status, 1);
            continue;
        }
        if (csv) {
            const std::string path =
                (std::filesystem::path(directory) / defaultSaveName(file, "_decoded.csv")).string();
            if (inputs.contains(path)) {
                err << path << ": is an input of this run; not written.\n";
                status = DecodeWriteFailed;
                continue;
            }
            const std::string failure = writeFileAtomically(path, decodedCsv(result));
            if (!failure.empty()) {
                err << path << ": " << failure << "\n";
                status = DecodeWriteFailed;
            }
        } else {
            out << "== " << file << "\n";
            writeDecodedTable(out, result);
        }
    }
    if (!out.flush()) {
        err << "velta-batch: the standard output could not be written.\n";
        status = DecodeWriteFailed;
    }
    return status;
}

}  // namespace velta::cli
