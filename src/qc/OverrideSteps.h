// The QC steps that write operator-given values into the QC series: launch overrides, sensor
// offsets, the surface pressure adjustment and the extrapolated surface observation.
#pragma once

#include "qc/QcRun.h"

namespace velta {

// "setting overrides": launch values of pressure, temperature, humidity, position and wind from the
// launch override options.
void setLaunchOverrides(QcRun& run);

// "applying offsets": PresOffset, TdryOffset and RHOffset added to all but the launch values.
void applySensorOffsets(QcRun& run);

// "pressure adjustment" (drops only): QCPres brought onto sfcPresOverride at its last point when
// the sonde hit the surface.
void adjustPressureToSurface(QcRun& run);

// Surface observation extrapolation (drops only, no progress text): the surface point appended to
// QCPres, QCTdry, QCRH and QCTime when the sonde hit the surface.
void extrapolateSurfaceObservation(QcRun& run);

}  // namespace velta
