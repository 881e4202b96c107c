#include "qc/AmbientEquilibration.h"

#include <algorithm>
#include <cmath>

#include "qc/LabelledValue.h"
#include "qc/SensorModel.h"
#include "qc/TimeConstantSource.h"

namespace velta {

namespace {

// Just before the launch point at -1.0 s, which therefore always stays.
constexpr double kWindowStart = -0.00001;
// 17.67 * 243.5: the slope factor of the Magnus formula.
constexpr double kMagnusSlope = 4302.645;

// startTime + count * tau, or startTime when that is not a usable time.
double periodEnd(double startTime, double count, double tau) {
    const double end = startTime + count * tau;
    return std::isfinite(end) ? end : startTime;
}

}  // namespace

AmbientEquilibration::Period AmbientEquilibration::temperaturePeriod(const Ambient& ambient,
                                                                     double startTime) const {
    const double v =
        fallSpeed(ambient.pressure, ambient.temperature, chuteArea_, sensor::ParachuteDrag, sondeMass_);
    const double n = equilibrationCount(sensor::CabinTemperature - ambient.temperature, sensor::TdryAccuracy);
    if (n == 0.0) return {startTime, 0.0};
    if (sensor_.kind() == SensorResponse::Kind::Fast) return {fastSensorEnd(ambient, v, n, startTime), n};
    const double tau = sensor_.timeConstant(ambient.pressure, ambient.temperature, v);
    return {periodEnd(startTime, n, tau), n};
}

// A fast sensor settles within the seconds the sonde needs to reach its fall speed, while it is
// still poorly ventilated, so its n time constants are counted along the speed-up from release
// (time 0): v(t) = vt tanh(g t / vt) for a body falling against quadratic drag from rest. The
// period ends when they add up, and not before the first temperature time.
double AmbientEquilibration::fastSensorEnd(const Ambient& ambient, double terminalSpeed, double count,
                                           double startTime) const {
    constexpr double kStep = 0.01;     // s
    constexpr double kLongest = 120.0;  // s: a sensor still unsettled by then has no usable model
    constexpr double kGravity = 9.80665;
    if (!(terminalSpeed > 0.0) || !std::isfinite(terminalSpeed)) return startTime;
    double decayed = 0.0;
    double t = 0.0;
    while (decayed < count && t < kLongest) {
        const double mid = t + 0.5 * kStep;
        const double speed = terminalSpeed * std::tanh(kGravity * mid / terminalSpeed);
        const double tau = sensor_.timeConstant(ambient.pressure, ambient.temperature, speed);
        if (!std::isfinite(tau) || !(tau > 0.0)) return startTime;
        decayed += kStep / tau;
        t += kStep;
    }
    return std::max(startTime, t);
}

AmbientEquilibration::Period AmbientEquilibration::humidityPeriod(const Ambient& ambient,
                                                                  const DataSeries& humidity,
                                                                  const DataSeries& pressure,
                                                                  double temperatureEnd) {
    const double t0 = humidity.time(0);
    if (!(sensor::RhAccuracy > 0.0) || ambient.temperature == sensor::CabinTemperature) return {t0, 0.0};
    const RhTimeConstantByPressure source(pressure);
    std::optional<double> tau = source.timeConstantAt(t0);
    if (!tau && !pressure.empty()) tau = source.timeConstantAt(pressure.time(0));
    const double dt = ambient.temperature + 243.5;
    const double error = ambient.humidity * kMagnusSlope *
                         std::fabs(ambient.temperature - sensor::CabinTemperature) / (dt * dt);
    const double logRatio = -std::log(sensor::RhAccuracy / error);
    const double n = logRatio > 0.0 ? logRatio : 0.0;
    if (n == 0.0) return {t0, 0.0};
    if (!tau) return {temperatureEnd, n};
    return {periodEnd(t0, n, *tau), n};
}

void AmbientEquilibration::operator()(DataSeries* pressure, DataSeries* temperature, DataSeries* humidity,
                                      const Ambient& ambient, ProcessingLog& log) const {
    auto line = [&log](const std::string& text) { log.add(LogCategory, text); };
    if (!temperature || temperature->empty()) {
        line("Warning: no ambient equilibration performed because there is no temperature data");
        return;
    }
    line(labelledValue("Cabin temperature: ", sensor::CabinTemperature, 0, "C"));
    line(labelledValue("Ambient pressure: ", ambient.pressure, 0, "mb"));
    line(labelledValue("Ambient temperature: ", ambient.temperature, 0, "C"));
    line(labelledValue("Ambient RH: ", ambient.humidity, 0, "%"));
    line(labelledValue("Temperature equilibration accuracy: ", sensor::TdryAccuracy, 1, "C"));
    line(labelledValue("RH equilibration accuracy: ", sensor::RhAccuracy, 1, "%"));

    const Period tdry = temperaturePeriod(ambient, temperature->time(0));
    temperature->removeBetween(kWindowStart, tdry.end);
    line(labelledValue("Temperature equilibration (" + sensor_.name() + " time constants): ", tdry.count, 1, ""));

    if (!humidity || humidity->empty()) {
        line("RH: no ambient equilibration performed because there is no RH data");
    } else {
        const DataSeries noPressure("QCPres");
        const Period rh = humidityPeriod(ambient, *humidity, pressure ? *pressure : noPressure, tdry.end);
        humidity->removeBetween(kWindowStart, rh.end);
        line(labelledValue("RH equilibration (RS80 RH sensor time constants): ", rh.count, 1, ""));
    }

    if (pressure && !pressure->empty()) {
        pressure->removeBetween(kWindowStart, tdry.end);
        line("Pressure: same equilibration time used as for temperature");
    }
}

}  // namespace velta
