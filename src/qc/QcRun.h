// What one QC step works with during a run of the engine: the sounding, the
// options, the launch header, the processing log and the run's error text.
#pragma once

#include <optional>
#include <string>

#include "config/ConfigSet.h"
#include "qc/SensorResponse.h"
#include "qc/DropDiagnosis.h"
#include "qc/TimeConstantSource.h"
#include "sounding/ProcessingLog.h"
#include "sounding/Sounding.h"
#include "sounding/SoundingHeader.h"

namespace velta {

struct QcRun {
    Sounding& sounding;
    const ConfigSet& options;
    const SoundingHeader& header;
    ProcessingLog& log;
    std::string errorText;
    bool failed = false;
    // The temperature sensor's time constants of this run: empty at the start, filled by "updating
    // time constants", read by "dynamic tdry adjustment".
    TdryTimeConstantSeries tdryTimeConstants{};
    // The temperature sensor the time constants and the ambient equilibration model.
    SensorResponse sensor{};
    // What the drop diagnosis decided for this drop (nothing: the options alone rule).
    DropDecisions decisions{};
    std::optional<bool> hitSurfaceDecision{};

    bool ascending() const { return header.ascending; }
    // Records a failure line ("...\n") of this run.
    void fail(const std::string& line) {
        errorText += line;
        failed = true;
    }
    // Whether the sonde reached the surface: this drop's decision, else DropsondeHitSfc.
    bool hitSurface() const {
        return hitSurfaceDecision ? *hitSurfaceDecision : number("DropsondeHitSfc", 0.0) != 0.0;
    }
    // Value of a numeric option, or the fallback when the set does not have it.
    double number(const std::string& name, double fallback) const {
        return options.numericValue(name).value_or(fallback);
    }
};

}  // namespace velta
