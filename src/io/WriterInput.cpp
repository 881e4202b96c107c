#include "io/WriterInput.h"

namespace velta {

std::string WriterInput::problem() const {
    if (count < 0) return "negative row count";
    const auto n = static_cast<std::size_t>(count);
    const std::pair<const char*, std::span<const double>> required[] = {
        {"time", columns.time},
        {"pressure", columns.pressure},
        {"temperature", columns.temperature},
        {"rh", columns.rh},
        {"wind speed", columns.windSpeed},
        {"wind direction", columns.windDirection},
        {"u", columns.u},
        {"v", columns.v}};
    for (const auto& [name, column] : required)
        if (column.size() != n) return std::string("the ") + name + " column does not hold one value per row";
    const std::pair<const char*, std::span<const double>> optional[] = {{"latitude", columns.latitude},
                                                                        {"longitude", columns.longitude},
                                                                        {"altitude", columns.altitude},
                                                                        {"GPS altitude", columns.gpsAltitude},
                                                                        {"dz", columns.dz}};
    for (const auto& [name, column] : optional)
        if (!column.empty() && column.size() != n)
            return std::string("the ") + name + " column does not hold one value per row";
    if (!formulas.complete()) return "the formulas of the derived quantities are missing";
    return {};
}

}  // namespace velta
