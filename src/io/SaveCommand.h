// The save command of the raw and QC data pages after the save-as dialog: the
// format chosen by the file's extension, the writer, and the outcome (the
// directory to remember, and a message to show).
#pragma once

#include <cstdint>
#include <string>

#include "io/SeriesTable.h"
#include "io/WriterInput.h"

namespace velta {

class VeltaDialogs;

// The filters of the save-as dialog, in order; a format number is an index here.
struct SaveFilter {
    const char* label;
    const char* pattern;
};
inline constexpr SaveFilter SaveFilters[] = {{"TURVA(*.tvx)", "*.tvx"},
                                             {"netCDF(*.nc)", "*.nc"},
                                             {"comma separated(*.csv)", "*.csv"},
                                             {"QSF(*.qsf)", "*.qsf"},
                                             {"All files(*.*)", "*.*"}};
enum SaveFormat { TurvaFormat = 0, NetcdfFormat = 1, CsvFormat = 2, QsfFormat = 3, AllFilesFilter = 4 };

inline constexpr const char* DefaultSaveExtension = ".tvx";
inline constexpr const char* RawSaveTitle = "Choose the name of the raw data file";
inline constexpr const char* QcSaveTitle = "Choose the name of the QC data file";

// The data file's name without directory and extension, followed by suffix
// ("RAW" for the raw page, "QC" for the QC page).
std::string defaultSaveName(const std::string& dataFilePath, const std::string& suffix);

// The extension of the path's file name, without the point; empty when none.
std::string fileExtension(const std::string& path);
// The index of the first filter pattern equal to "*." + extension (compared
// exactly, so ".TVX" is no match), or -1.
int saveFormatNumber(const std::string& path);

// Everything the save command writes besides the chosen path.
struct SaveData {
    SoundingHeader header;
    // KarvoEditorVersion, SoundingDescription, ConfigSetName.
    KeyValueList processingLog;
    int32_t count = 0;
    // Views of the page's arrays; they must outlive the save.
    WriterColumns columns;
    bool firstRowIsLaunchPoint = false;
    WriterFormulas formulas;
    std::string buildRevision;
    std::string buildLastChangedDate;

    // The rows of a data page (DataViewArrays::fromRawTable / fromQcTable).
    void setRows(const DataViewArrays& arrays) {
        count = arrays.count();
        columns = arrays.columns();
        firstRowIsLaunchPoint = arrays.firstRowIsLaunchPoint();
    }
};

struct SaveOutcome {
    bool saved = false;
    // The directory of the saved file (the path up to its last '/' or '\');
    // empty when nothing was saved.
    std::string directory;
    // The text to show in a message box; empty when there is nothing to tell.
    std::string message;
};

// Writes the file chosen in the dialog in the format its extension names. An
// unknown extension or the "*.*" entry writes nothing and says so; a file that
// cannot be written is reported with the reason and no half-written file is
// left at the path (an existing file there keeps its old content).
SaveOutcome saveDataFile(const std::string& chosenPath, const SaveData& data);

// The same, showing the message (if any) in a message box; answers the
// directory to store as the page's save-directory option.
std::string saveDataFile(VeltaDialogs& dialogs, const std::string& chosenPath, const SaveData& data);

}  // namespace velta
