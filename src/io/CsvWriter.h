// Writer of the comma-separated format (.csv): key lines describing the launch,
// the processing log, a field-name and a unit line, and one "Data," line per
// row. The CSV reader reads it back.
#pragma once

#include "io/SoundingWriter.h"
#include "io/WriterInput.h"

namespace velta {

class CsvWriter : public SoundingWriter {
public:
    // Writes the whole file to input.stream. The processing log entries are
    // written when input.writeProcessingLog is set; the first row is left out
    // when input.firstRowIsLaunchPoint is set (the key block holds the launch).
    explicit CsvWriter(WriterInput input);
};

}  // namespace velta
