#include "io/SaveCommand.h"

#include <sstream>

#include "extern/VeltaDialogs.h"
#include "config/AtomicOutput.h"
#include "io/CsvWriter.h"
#include "io/NetcdfWriter.h"
#include "io/QsfWriter.h"
#include "io/TurvaWriter.h"

namespace velta {

namespace {

std::string fileName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

WriterInput writerInput(const std::string& path, const SaveData& data) {
    WriterInput in;
    in.path = path;
    in.count = data.count;
    in.header = data.header;
    in.processingLog = data.processingLog;
    in.columns = data.columns;
    in.formulas = data.formulas;
    in.buildRevision = data.buildRevision;
    in.buildLastChangedDate = data.buildLastChangedDate;
    return in;
}

// Writes a text format into memory, then the whole file at once.
template <typename Writer>
std::string writeText(WriterInput in) {
    std::ostringstream text;
    in.stream = &text;
    const std::string path = in.path;
    Writer writer(std::move(in));
    if (!writer.ok()) return writer.errorText();
    return writeFileAtomically(path, text.str());
}

}  // namespace

std::string defaultSaveName(const std::string& dataFilePath, const std::string& suffix) {
    std::string name = fileName(dataFilePath);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name + suffix;
}

std::string fileExtension(const std::string& path) {
    const std::string name = fileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

int saveFormatNumber(const std::string& path) {
    std::string pattern = "*.";
    pattern.append(fileExtension(path));
    int number = 0;
    for (const SaveFilter& f : SaveFilters) {
        if (pattern == f.pattern) return number;
        ++number;
    }
    return -1;
}

SaveOutcome saveDataFile(const std::string& chosenPath, const SaveData& data) {
    SaveOutcome outcome;
    const int format = saveFormatNumber(chosenPath);
    std::string dotExtension = ".";
    dotExtension.append(fileExtension(chosenPath));
    if (format < 0) {
        outcome.message = "Don't know how to create a file of type " + dotExtension;
        return outcome;
    }
    if (format >= AllFilesFilter) {
        outcome.message = "File output not yet implemented for type " + dotExtension;
        return outcome;
    }
    WriterInput in = writerInput(chosenPath, data);
    std::string error;
    switch (format) {
        case TurvaFormat:
            error = writeText<TurvaWriter>(std::move(in));
            break;
        case CsvFormat:
            in.writeProcessingLog = true;
            in.firstRowIsLaunchPoint = data.firstRowIsLaunchPoint;
            error = writeText<CsvWriter>(std::move(in));
            break;
        case QsfFormat:
            error = writeText<QsfWriter>(std::move(in));
            break;
        default: {
            NetcdfWriter writer(std::move(in));
            error = writer.errorText();
            break;
        }
    }
    if (!error.empty()) {
        outcome.message = error;
        return outcome;
    }
    outcome.saved = true;
    const auto slash = chosenPath.find_last_of("/\\");
    outcome.directory = slash == std::string::npos ? std::string() : chosenPath.substr(0, slash);
    return outcome;
}

std::string saveDataFile(VeltaDialogs& dialogs, const std::string& chosenPath, const SaveData& data) {
    SaveOutcome outcome = saveDataFile(chosenPath, data);
    if (!outcome.message.empty()) dialogs.messageBox(outcome.message);
    return outcome.directory;
}

}  // namespace velta
