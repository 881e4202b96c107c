#include "qc/LowerLimiter.h"

namespace velta {

int32_t LowerLimiter::operator()(DataSeries& series, double floor) const {
    int32_t raised = 0;
    for (int32_t i = 0; i < series.size(); ++i) {
        if (series.value(i) < floor) {
            series.setValue(i, floor);
            ++raised;
        }
    }
    return raised;
}

}  // namespace velta
