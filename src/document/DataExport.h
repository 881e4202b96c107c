// What the save command writes for the raw or QC data of a processed sounding:
// the rows of the data page, the header and the processing lists. The rows are
// owned here, so an export lives as long as the save that uses it.
#pragma once

#include <optional>

#include "document/SoundingProcessor.h"
#include "io/SaveCommand.h"
#include "io/SeriesTable.h"

namespace velta {

enum class DataKind { Raw, QC };

class DataExport {
public:
    DataExport(const SoundingProcessor& processor, DataKind kind);
    DataExport(const DataExport&) = delete;
    DataExport& operator=(const DataExport&) = delete;

    // Empty rows when the processor has no sounding.
    const SaveData& data() const { return data_; }

private:
    std::optional<DataViewArrays> arrays_;
    SaveData data_;
};

}  // namespace velta
