// What the level derivation reads: the QC series (not owned, never modified)
// and the option values of the processing run.
#pragma once

#include "sounding/DataSeries.h"
#include "sounding/MissingValue.h"

namespace velta {

// A null series is read as an empty one.
struct LevelSeries {
    const DataSeries* pres = nullptr;  // QCPres
    const DataSeries* tdry = nullptr;  // QCTdry
    const DataSeries* rh = nullptr;    // QCRH
    const DataSeries* wspd = nullptr;  // QCWspd
    const DataSeries* wdir = nullptr;  // QCWdir
    const DataSeries* u = nullptr;     // QCU
    const DataSeries* v = nullptr;     // QCV
    const DataSeries* alt = nullptr;   // QCAltUp, QCAltDn or QCAltMissing, as the run chose
    const DataSeries* lat = nullptr;   // QCLat
    const DataSeries* lon = nullptr;   // QCLon
    const DataSeries* dz = nullptr;    // QCDz
};

// Option values, defaults as in the option catalogue.
struct LevelOptions {
    double tdryLevelDelta = 1.0;     // TdryLevelDelta, deg C
    double rhLevelDelta = 10.0;      // RHLevelDelta, %
    double wspdLevelDelta = 10.0;    // WspdLevelDelta, knots
    double wspd850LevelDelta = 2.5;  // Wspd850LevelDelta, knots
    double wdirLevelDelta = 10.0;    // WdirLevelDelta, degrees
    double tropSmoothWL = 60.0;      // TropSmoothWL, s
    bool ascending = false;          // header: ascending
    double ptuwindtimediff = 0.0;    // header: ptuwindtimediff, s
};

}  // namespace velta
