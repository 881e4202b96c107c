// The QC steps that consist of spline work alone.
#pragma once

#include "qc/QcRun.h"

namespace velta {

// "pressure smoothing": QCPres with PresSmoothWL.
void smoothPressure(QcRun& run);
// "final smoothing": QCTdry, QCRH and the winds (through QCU and QCV, then
// speed and direction from them) with TdrySmoothWL, RHSmoothWL, WindSmoothWL.
void smoothFinal(QcRun& run);
// "compute vertical velocity": the hydrostatic fall rate into QCDz, with
// PresSmoothWL (10 s when the set lacks it).
void computeVerticalVelocity(QcRun& run);

}  // namespace velta
