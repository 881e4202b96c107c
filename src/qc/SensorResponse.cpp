#include "qc/SensorResponse.h"

#include <cmath>

#include "qc/LabelledValue.h"
#include "qc/SensorModel.h"

namespace velta {

namespace {

constexpr double kReferencePressure = 1000.0;  // mb
constexpr double kReferenceCelsius = 20.0;
constexpr double kReferenceVentilation = 6.0;  // m/s

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

SensorResponse::SensorResponse(Kind kind, double tau, Origin origin) : kind_(kind), origin_(origin) {
    if (kind_ != Kind::Fast) return;
    referenceTau_ = std::isfinite(tau) && tau > 0.0 ? tau : DefaultFastTau;
    scale_ = referenceTau_ / tdryTimeConstant(kReferencePressure, kReferenceCelsius, kReferenceVentilation);
}

SensorResponse SensorResponse::fast(double referenceTau, Origin origin) {
    return {Kind::Fast, referenceTau, origin};
}

SensorResponse SensorResponse::choose(const ConfigSet& options, const SoundingHeader& header) {
    const double tau = options.numericValue("FastSensorTau").value_or(DefaultFastTau);
    const double choice = options.numericValue("SensorResponse").value_or(0.0);
    if (choice >= 1.0 && choice < 2.0) return bead(Origin::Option);
    if (choice >= 2.0 && choice < 3.0) return fast(tau, Origin::Option);
    const std::string code = trimmed(header.sondetypecode);
    if (code.empty()) return bead(Origin::NoSondeType);
    return code == FastTypeCode ? fast(tau, Origin::SondeType) : bead(Origin::SondeType);
}

double SensorResponse::timeConstant(double pressure, double celsius, double ventilationSpeed) const {
    const double tau = tdryTimeConstant(pressure, celsius, ventilationSpeed);
    // The bead's constant is used as it is, so that its results stay exactly those of the formula.
    return kind_ == Kind::Fast ? tau * scale_ : tau;
}

std::string SensorResponse::name() const {
    if (kind_ == Kind::Bead) return "RS80 T sensor";
    return labelledValue("fast sensor, ", referenceTau_, 2, " s at 1000 mb");
}

std::string SensorResponse::description(const SoundingHeader& header) const {
    switch (origin_) {
        case Origin::Option:
            return name() + " (set by SensorResponse)";
        case Origin::SondeType:
            return name() + " (sonde type code " + trimmed(header.sondetypecode) + ")";
        case Origin::NoSondeType:
            break;
    }
    return name() + " (the file names no sonde type)";
}

}  // namespace velta
