// The QC steps in the order they run, with their progress texts and conditions.
#pragma once

#include <span>

#include "qc/QcRun.h"

namespace velta {

struct QcStep {
    enum class When { Always, NotAscending };
    const char* progress;  // nullptr: the step runs without a progress report
    When when;
    void (*action)(QcRun&);
};

// Every step of a QC run, in order.
std::span<const QcStep> qcSteps();

// Step "initializing": rebuilds the QC series from the raw ones.
void initializeQcSeries(QcRun& run);

// Cut time for a last-data-time override v: (trunc(v * 10) + 0.5) * 0.1.
double cutTimeForOverride(double v);

}  // namespace velta
