// The QC steps that find bad samples in the QC series and remove them. Each
// reads its options from the run and applies one check per series or group.
#pragma once

#include "qc/QcRun.h"

namespace velta {

// "limit checks": QCPres [1, 1200], QCTdry [-100, 50], QCRH [0, 100], wind
// speed [0, 150], wind direction [0, 360]; out-of-limit samples are removed.
void applyLimitChecks(QcRun& run);
// "satellite check": winds measured with fewer than WindSats satellites.
void applySatelliteCheck(QcRun& run);
// "buddy check": spikes in pressure, temperature, humidity and winds
// (PresBuddySlope, TdryBuddySlope, RHBuddySlope, WindBuddySlope).
void applyBuddyCheck(QcRun& run);
// "outlier check": distance from the regression line (PresOutlier,
// TdryOutlier, RHOutlier, WindOutlier).
void applyOutlierCheck(QcRun& run);
// "filter check": distance from a smoothing spline (PresQCWL/PresQCDev,
// TdryQCWL/TdryQCDev, RHQCWL/RHQCDev, WindQCWL/WindQCDev); reports a line
// for each series whose spline cannot be fitted.
void applyFilterCheck(QcRun& run);
// "pressure mono check": pressure in time order.
void applyPressureMonoCheck(QcRun& run);
// "vertical velocity check": winds where QCDz and RawDz differ by more than
// WindVVdelta (2.5 m/s when the set lacks it); nothing for an ascent.
void applyVerticalVelocityCheck(QcRun& run);
// "RH lower limiting": QCRH not below 0.2 %.
void limitLowHumidity(QcRun& run);

}  // namespace velta
