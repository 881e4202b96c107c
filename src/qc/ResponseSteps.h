// The QC steps that model the lag of the sonde's sensors and of the sonde itself: the ambient
// equilibration after release, the temperature time-lag correction and the wind inertia correction.
#pragma once

#include "qc/QcRun.h"

namespace velta {

// "ambient equilibration" (drops only): removes the period after release in which the sensors still
// carry the cabin temperature; logs under "Ambient Equilibration".
void equilibrateAmbient(QcRun& run);

// "updating time constants": the temperature sensor's time constant at each QCPres time, held in
// run.tdryTimeConstants.
void updateTimeConstants(QcRun& run);

// "dynamic tdry adjustment": time-lag correction of QCTdry when TdryDynCor and TdryDynCorWL are set.
void dynamicTdryAdjustment(QcRun& run);

// "dynamic winds adjustment": inertia correction of QCU and QCV when WindDynCor and WindDynCorWL are
// set; QCWspd and QCWdir are then recomputed from the components.
void dynamicWindsAdjustment(QcRun& run);

}  // namespace velta
