#include "wmo/MessageFile.h"

#include <filesystem>

#include "config/AtomicOutput.h"
#include "config/ConfigSet.h"
#include "extern/VeltaDialogs.h"
#include "wmo/TempMessage.h"

namespace velta {

namespace {

constexpr const char* TextPattern = "*.txt";
constexpr const char* AllPattern = "*.*";

std::string fileName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extensionOf(const std::string& path) {
    const std::string name = fileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string textOption(const ConfigSet& config, const std::string& name) {
    const ConfigOption* option = config.option(name);
    return option ? option->text() : std::string();
}

}  // namespace

MessageSaveDialogSettings messageSaveDialogSettings(const ConfigSet& config, const std::string& dataPath) {
    MessageSaveDialogSettings s;
    s.title = "Specify the file for saving the WMO message";
    s.filters = {{"TEMPDROP messages(*.txt)", TextPattern}, {"All files(*.*)", AllPattern}};
    s.defaultExtension = "txt";
    s.initialDirectory = textOption(config, "WmoSaveDir");
    std::string name = fileName(dataPath);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    s.initialName = name;
    return s;
}

std::optional<std::string> messageFileTypeRefusal(const std::string& path) {
    const std::string extension = extensionOf(path);
    const std::string pattern = "*." + extension;
    if (pattern == TextPattern) return std::nullopt;
    if (pattern == AllPattern) return "File output not yet implemented for type ." + extension;
    return "Don't know how to create a file of type ." + extension;
}

bool writeMessageFile(const TempMessage& message, const std::string& path, bool appendNNNN) {
    return writeFileAtomically(path, message.text(appendNNNN)).empty();
}

bool saveMessageAs(const TempMessage& message, const std::string& path, ConfigSet& config, VeltaDialogs& dialogs) {
    if (auto refusal = messageFileTypeRefusal(path)) {
        dialogs.messageBox(*refusal);
        return false;
    }
    const bool appendNNNN = config.numericValue("TempAppendNNNN").value_or(0.0) != 0.0;
    const bool written = writeMessageFile(message, path, appendNNNN);
    if (!written) dialogs.messageBox("Cannot write the WMO message to " + path);
    if (ConfigOption* dir = config.option("WmoSaveDir")) {
        dir->setText(directoryOf(path));
        config.save(true);
    }
    return written;
}

}  // namespace velta
