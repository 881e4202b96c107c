#include "qc/GeometrySteps.h"

#include <optional>

#include "qc/HeightIntegrator.h"
#include "qc/PositionIntegrator.h"
#include "sounding/DataPoint.h"
#include "sounding/MissingValue.h"

namespace velta {

namespace {

constexpr double kLaunchTime = -1.0;

// The launch altitude as the header with the overrides applied has it.
std::optional<double> launchAltitude(const QcRun& run) {
    if (const std::optional<double> v = run.options.numericValue("launchAltOverride")) return v;
    if (run.header.launchAltitudeValid) return run.header.launchAltitude;
    return std::nullopt;
}

// Stores a copy of QCPres under key and integrates its altitudes.
void integrate(QcRun& run, const char* key, const DataSeries& pressure, double anchor,
               HeightIntegrator::Anchor from) {
    Sounding& s = run.sounding;
    const DataSeries none("none");
    const DataSeries* temperature = s.series("QCTdry");
    const DataSeries* humidity = s.series("QCRH");
    DataSeries& altitude = s.addSeries(key, DataSeries(pressure, key));
    HeightIntegrator(pressure, temperature ? *temperature : none, humidity ? *humidity : none, anchor,
                     from)(altitude);
}

// The pressure of the temporary launch point of a drop whose QCPres has none: the first raw
// pressure, unless that would put the launch below the first QC sample (a raw record that QC
// rejected), in which case the launch is taken at the first sample's pressure.
double temporaryLaunchPressure(const QcRun& run, const DataSeries& pressure) {
    const double first = pressure.value(0);
    const DataSeries* raw = run.sounding.series("RawPres");
    if (!raw || raw->empty()) return first;
    const double p = raw->value(0);
    return p >= 1.0 && p <= first ? p : first;
}

}  // namespace

void computeAltitudes(QcRun& run) {
    Sounding& s = run.sounding;
    DataSeries* pressure = s.series("QCPres");
    if (!pressure) return;
    double anchor = run.number("SfcAltitude", 0.0);
    const std::optional<double> launch = launchAltitude(run);

    if (run.ascending()) {
        if (!launch) return;
        anchor = run.options.numericValue("launchAltOverride").value_or(run.number("SfcAltitude", *launch));
        integrate(run, "QCAltUp", *pressure, anchor, HeightIntegrator::Anchor::FirstPoint);
        return;
    }

    if (run.hitSurface() && run.number("SfcAltUnknown", 0.0) == 0.0) {
        const double surface = run.options.numericValue("sfcAltOverride").value_or(anchor);
        integrate(run, "QCAltUp", *pressure, surface, HeightIntegrator::Anchor::LastPoint);
    }
    if (!launch || pressure->empty()) return;
    if (pressure->hasFlags(0, FlagLaunch)) {
        integrate(run, "QCAltDn", *pressure, *launch, HeightIntegrator::Anchor::FirstPoint);
        return;
    }
    pressure->insertInOrder(DataPoint{kLaunchTime, temporaryLaunchPressure(run, *pressure), 0});
    integrate(run, "QCAltDn", *pressure, *launch, HeightIntegrator::Anchor::FirstPoint);
    pressure->removeAt(0);
}

void computePosition(QcRun& run) {
    Sounding& s = run.sounding;
    DataSeries* u = s.series("QCU");
    DataSeries* v = s.series("QCV");
    DataSeries* latitude = s.series("QCLat");
    DataSeries* longitude = s.series("QCLon");
    if (!u || !v || u->empty() || v->empty()) return;
    if (!latitude || !longitude || latitude->empty() || longitude->empty()) return;
    // The launch point of either direction (an ascent's carries FlagSurface) starts the track as it is.
    const bool launch = (u->flags(0) & (FlagLaunch | FlagSurface)) != 0;
    if (!launch) {
        u->insertInOrder(DataPoint{kLaunchTime, u->value(0), 0});
        v->insertInOrder(DataPoint{kLaunchTime, v->value(0), 0});
    }
    for (int32_t i = 1; i < u->size(); ++i) {
        latitude->append(MissingValue, u->time(i));
        longitude->append(MissingValue, u->time(i));
    }
    PositionIntegrator(*u, *v, run.number("PosInterpSpan", 60.0))(*latitude, *longitude);
    if (!launch) {
        u->removeAt(0);
        v->removeAt(0);
    }
}

}  // namespace velta
