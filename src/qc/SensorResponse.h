// Which temperature sensor the response corrections model for a drop: the older sondes' slow bead
// (the RS80 T sensor's forced-convection time constant) or a current fast sensor, whose time
// constant has the bead's dependence on pressure, temperature and ventilation scaled to its own
// response time at the reference conditions (1000 mb, 20 C, 6 m/s).
#pragma once

#include <string>

#include "config/ConfigSet.h"
#include "sounding/SoundingHeader.h"

namespace velta {

class SensorResponse {
public:
    enum class Kind { Bead, Fast };
    // Where the choice came from: the SensorResponse option, or the sonde named in the file.
    enum class Origin { Option, SondeType, NoSondeType };

    static constexpr double DefaultFastTau = 0.5;   // s at the reference conditions
    static constexpr const char* FastTypeCode = "3";  // the sonde type code of the current fast sensor

    SensorResponse() = default;
    static SensorResponse bead(Origin origin = Origin::Option) { return {Kind::Bead, 0.0, origin}; }
    // A fast sensor with the given reference response time (s); a time that is not positive and
    // finite gives DefaultFastTau.
    static SensorResponse fast(double referenceTau, Origin origin = Origin::Option);

    // The choice for a sounding: the option SensorResponse 1 (bead) or 2 (fast, with FastSensorTau);
    // 0, absent or any other value reads the sonde type code of the header, where the fast sensor's
    // code gives the fast model and anything else, or no code, the bead.
    static SensorResponse choose(const ConfigSet& options, const SoundingHeader& header);

    Kind kind() const { return kind_; }
    Origin origin() const { return origin_; }
    double referenceTau() const { return referenceTau_; }

    // Time constant (s) at pressure p (mb), temperature t (deg C) and ventilation v (m/s).
    double timeConstant(double pressure, double celsius, double ventilationSpeed) const;

    // "RS80 T sensor" or "fast sensor, 0.50 s at 1000 mb".
    std::string name() const;
    // The name with where the choice came from, as the Main tab and the batch summary show it.
    std::string description(const SoundingHeader& header) const;

private:
    SensorResponse(Kind kind, double tau, Origin origin);

    Kind kind_ = Kind::Bead;
    double referenceTau_ = 0.0;
    double scale_ = 1.0;  // fast: referenceTau over the bead's time constant at the reference
    Origin origin_ = Origin::NoSondeType;
};

}  // namespace velta
