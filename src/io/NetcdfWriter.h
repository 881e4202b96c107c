// Writer of the netCDF (classic format) file (.nc): the rows of a data view as
// variables over the dimension "time", with the quantities derived from them
// (dew point, mixing ratio, potential, equivalent potential and virtual
// temperatures). A drop is written last row first.
#pragma once

#include <string>

#include "io/SoundingWriter.h"
#include "io/WriterInput.h"

namespace velta {

class NetcdfWriter : public SoundingWriter {
public:
    // Writes the whole file at input.path (input.stream is not used). The file
    // is built under a temporary name next to the path and renamed over it
    // only when every library call succeeded; otherwise nothing is left behind
    // and errorText() names the failure.
    explicit NetcdfWriter(WriterInput input);

    // The 24-character calendar text of a time, as ctime gives it in UTC
    // without the line break: "Sat Aug 27 18:34:01 2005".
    static std::string calendarText(int64_t seconds);
    // The time in ISO 8601, UTC: "2005-08-27T18:34:01Z".
    static std::string isoTime(int64_t seconds);
};

}  // namespace velta
