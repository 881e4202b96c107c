#include "qc/ResponseSteps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "qc/AmbientEquilibration.h"
#include "qc/MetFormulas.h"
#include "qc/SensorModel.h"
#include "qc/TimeLagCorrector.h"
#include "qc/WindInertiaCorrector.h"

namespace velta {

namespace {

constexpr double kMaxGap = 60.0;

// The option's value when set, else the header value when valid, else the fallback.
double launchValue(const QcRun& run, const char* option, double headerValue, bool headerValid,
                   double fallback) {
    if (const std::optional<double> v = run.options.numericValue(option)) return *v;
    return headerValid ? headerValue : fallback;
}

// The wavelength of a dynamic correction when its switch is on and its wavelength is set.
std::optional<double> correctionWavelength(const QcRun& run, const char* switchName,
                                           const char* wavelengthName) {
    if (!run.options.boolValue(switchName).value_or(false)) return std::nullopt;
    return run.options.numericValue(wavelengthName);
}

}  // namespace

void equilibrateAmbient(QcRun& run) {
    const SoundingHeader& h = run.header;
    AmbientEquilibration::Ambient ambient;
    ambient.pressure = launchValue(run, "launchPresOverride", h.launchPressure, h.launchPressureValid, 200.0);
    ambient.temperature =
        launchValue(run, "launchTdryOverride", h.launchTemperature, h.launchTemperatureValid, -80.0);
    ambient.humidity = launchValue(run, "launchRhOverride", h.launchHumidity, h.launchHumidityValid, 50.0);
    const AmbientEquilibration equilibration(run.number("ChuteArea", sensor::DefaultChuteArea),
                                             run.number("DropSondeMass", sensor::DefaultSondeMass), run.sensor);
    Sounding& s = run.sounding;
    equilibration(s.series("QCPres"), s.series("QCTdry"), s.series("QCRH"), ambient, run.log);
}

void updateTimeConstants(QcRun& run) {
    run.tdryTimeConstants.clear();
    const DataSeries* pressure = run.sounding.series("QCPres");
    if (!pressure) return;
    const DataSeries* temperature = run.sounding.series("QCTdry");
    const DataSeries* fallRate = run.sounding.series("QCDz");
    DataSeries constants(*pressure, TdryTimeConstantSeries::SeriesName);
    std::vector<uint8_t> marked(static_cast<std::size_t>(constants.size()), 0);
    std::size_t tdryHint = 0, fallHint = 0;  // the pressure times increase
    for (int32_t i = 0; i < constants.size(); ++i) {
        const double t = constants.time(i);
        const std::optional<double> tdry =
            temperature ? temperature->interpolate(t, kMaxGap, tdryHint) : std::nullopt;
        const std::optional<double> w = fallRate ? fallRate->interpolate(t, kMaxGap, fallHint) : std::nullopt;
        // A sensor that is not ventilated has no finite time constant: no correction there.
        const double tau = tdry && w ? run.sensor.timeConstant(constants.value(i), *tdry, *w) : NAN;
        if (std::isfinite(tau)) {
            constants.setValue(i, tau);
        } else {
            marked[static_cast<std::size_t>(i)] = 1;
        }
    }
    const DataPoint* base = constants.points().data();
    constants.removeIf([&](const DataPoint& p) { return marked[static_cast<std::size_t>(&p - base)] != 0; });
    run.tdryTimeConstants.replace(std::move(constants));
}

void dynamicTdryAdjustment(QcRun& run) {
    const std::optional<double> wavelength = correctionWavelength(run, "TdryDynCor", "TdryDynCorWL");
    if (!wavelength) return;
    if (DataSeries* temperature = run.sounding.series("QCTdry"))
        TimeLagCorrector(run.tdryTimeConstants, *wavelength)(*temperature);
}

void dynamicWindsAdjustment(QcRun& run) {
    const std::optional<double> wavelength = correctionWavelength(run, "WindDynCor", "WindDynCorWL");
    if (!wavelength) return;
    Sounding& s = run.sounding;
    DataSeries* u = s.series("QCU");
    DataSeries* v = s.series("QCV");
    if (!u || !v) return;
    const DataSeries noFallRate("QCDz");
    const DataSeries* fallRate = s.series("QCDz");
    const WindInertiaCorrector correct(fallRate ? *fallRate : noFallRate, *wavelength);
    correct(*u);
    correct(*v);
    DataSeries* speed = s.series("QCWspd");
    DataSeries* direction = s.series("QCWdir");
    if (!speed || !direction) return;
    // The four wind series hold the same points; the bound only guards against a broken group.
    const int32_t n = std::min({u->size(), v->size(), speed->size(), direction->size()});
    for (int32_t i = 0; i < n; ++i) {
        double spd = 0.0, dir = 0.0;
        windSpeedDirection(u->value(i), v->value(i), spd, dir);
        speed->setValue(i, spd);
        direction->setValue(i, dir);
    }
}

}  // namespace velta
