// Saving the message as a text file: the save-as dialog's settings, the check
// of the chosen file type, and the write itself.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velta {

class TempMessage;
class ConfigSet;
class VeltaDialogs;

struct MessageSaveDialogSettings {
    std::string title;
    // (filter text, pattern) in dialog order.
    std::vector<std::pair<std::string, std::string>> filters;
    std::string defaultExtension;
    std::string initialDirectory;  // WmoSaveDir
    std::string initialName;       // the data file's name without directory and extension
};

// What the save-as dialog is opened with for the data file at dataPath.
MessageSaveDialogSettings messageSaveDialogSettings(const ConfigSet& config, const std::string& dataPath);

// The box text for a chosen file that is not a ".txt" file; nothing for one
// that is. The extension is compared exactly, case included.
std::optional<std::string> messageFileTypeRefusal(const std::string& path);

// Replaces the file with the message (CR LF lines, "NNNN" without a line end
// when appendNNNN). The text goes to a temporary file in the same directory
// first, so a failed write leaves any old file as it was. False on failure.
bool writeMessageFile(const TempMessage& message, const std::string& path, bool appendNNNN);

// The save command after the dialog returned path: refuses other file types
// with a box, writes the file (TempAppendNNNN decides the "NNNN"), reports a
// failed write, stores the file's directory in WmoSaveDir and saves the
// configuration. True when the file was written.
bool saveMessageAs(const TempMessage& message, const std::string& path, ConfigSet& config, VeltaDialogs& dialogs);

}  // namespace velta
