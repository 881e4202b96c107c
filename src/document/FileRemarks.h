// The remarks the data system's operator left in the file: standard comments
// ("Good Drop", "Late Winds, Bad Pressure", ...) and the operator's own,
// shown verbatim on the Main tab, in the log and in velta-batch's summary.
#pragma once

#include <string>
#include <vector>

#include "sounding/ProcessingLog.h"
#include "sounding/SoundingHeader.h"

namespace velta {

inline constexpr const char* kRemarksCategory = "Data System Remarks";

// "Standard comments: ..." and "Operator comments: ..." (or "Comments: ..."
// for files that do not tell them apart); nothing when the file has none.
std::vector<std::string> fileRemarks(const SoundingHeader& header);

void writeFileRemarks(const SoundingHeader& header, ProcessingLog& log);

}  // namespace velta
