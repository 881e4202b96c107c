#include "qc/SaturationTable.h"

#include <cmath>

namespace velta {

double closedFormSaturationVaporPressure(double kelvin) {
    const double ratio = 273.15 / kelvin;
    return 6.1078 * std::pow(ratio, 5.0065) * std::exp(24.84573 * (1.0 - ratio));
}

const std::array<double, SaturationTableSize>& saturationTable() {
    static const std::array<double, SaturationTableSize> table = [] {
        std::array<double, SaturationTableSize> t{};
        for (int k = 0; k < SaturationTableSize; ++k) {
            const double es =
                closedFormSaturationVaporPressure(SaturationTableStart + SaturationTableStep * k);
            t[static_cast<std::size_t>(k)] = std::round(es * 1.0e5) / 1.0e5;
        }
        return t;
    }();
    return table;
}

}  // namespace velta
