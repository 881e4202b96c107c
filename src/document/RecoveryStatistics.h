// The data recovery statistics written after QC: how many raw values each
// quantity had and how many QC kept.
#pragma once

#include "sounding/ProcessingLog.h"
#include "sounding/Sounding.h"

namespace velta {

inline constexpr const char* kRecoveryCategory = "QC Data Recovery Statistics";

// Appends the statistics lines of the sounding to the log (nothing without records).
void writeRecoveryStatistics(const Sounding& sounding, ProcessingLog& log);

}  // namespace velta
