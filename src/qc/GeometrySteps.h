// The last QC steps: hydrostatic altitudes and the position track from the winds.
#pragma once

#include "qc/QcRun.h"

namespace velta {

// "compute altitudes": QCAltUp integrated up from the surface (drops that hit the surface with a
// known surface altitude, and ascents from their launch), QCAltDn down from the launch (drops with a
// launch altitude).
void computeAltitudes(QcRun& run);

// "compute position": QCLat and QCLon extended from the launch position at every wind time.
void computePosition(QcRun& run);

}  // namespace velta
