#include "qc/SurfacePoint.h"

#include "sounding/DataPoint.h"

namespace velta {

bool appendSurfacePoint(DataSeries& series, double time, double value) {
    if (series.empty()) return false;
    series.append(DataPoint{time, value, FlagSurface});
    return true;
}

}  // namespace velta
