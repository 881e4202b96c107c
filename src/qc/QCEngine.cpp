#include "qc/QCEngine.h"

#include <istream>

#include "config/OverrideOptions.h"
#include "qc/QcSteps.h"
#include "sounding/DataPoint.h"

namespace velta {

namespace {

DiagnosisInputs diagnosisInputs(const ConfigSet& options) {
    auto number = [&](const char* name) { return options.numericValue(name); };
    DiagnosisInputs in;
    const std::optional<double> sfcOverride = number("sfcAltOverride");
    in.surfaceAltitude = sfcOverride.value_or(number(kSfcAltitude).value_or(0.0));
    in.surfaceAltitudeKnown = sfcOverride || number("SfcAltUnknown").value_or(0.0) == 0.0;
    if (std::optional<double> v = number("lastDataTimeOverride")) in.operatorCutTime = cutTimeForOverride(*v);
    in.act = number("SfcAutoDetect").value_or(1.0) != 0.0;
    return in;
}

}  // namespace

QCEngine::QCEngine(const std::string& path, std::istream& input, ConfigSet& options, ProcessingLog& log)
    : path_(path), options_(options), log_(log), source_(std::make_unique<SoundingFile>(path, input)) {
    if (source_->valid()) {
        sounding_ = std::make_unique<Sounding>(*source_);
        header_ = sounding_->header();
    }
}

QCEngine::~QCEngine() = default;

std::string QCEngine::loadErrorText() const { return source_->errorText(); }

void QCEngine::run(StatusReporter& progress) {
    failed_ = false;
    errorText_.clear();
    if (!sounding_) return;
    diagnosis_ = diagnoseDrop(*sounding_, header_, diagnosisInputs(options_));
    QcRun ctx{*sounding_, options_, header_, log_, {}, false};
    sensorResponse_ = SensorResponse::choose(options_, header_);
    ctx.sensor = sensorResponse_;
    ctx.decisions = diagnosis_.decisions;
    if (!header_.ascending) ctx.hitSurfaceDecision = hitSurface();
    for (const QcStep& step : qcSteps()) {
        if (step.when == QcStep::When::NotAscending && header_.ascending) continue;
        if (step.progress) progress.setStep(step.progress);
        step.action(ctx);
    }
    failed_ = ctx.failed;
    errorText_ = std::move(ctx.errorText);
}

DataSeries* QCEngine::series(const std::string& name) { return sounding_ ? sounding_->series(name) : nullptr; }

const DataSeries* QCEngine::series(const std::string& name) const {
    return sounding_ ? static_cast<const Sounding&>(*sounding_).series(name) : nullptr;
}

SoundingHeader QCEngine::headerWithOverrides() const {
    SoundingHeader h = sounding_ ? sounding_->header() : header_;
    if (auto v = options_.numericValue("launchLatOverride")) {
        h.launchLatitude = *v;
        h.launchLatitudeValid = true;
    }
    if (auto v = options_.numericValue("launchLonOverride")) {
        h.launchLongitude = *v;
        h.launchLongitudeValid = true;
    }
    if (auto v = options_.numericValue("launchAltOverride")) {
        h.launchAltitude = *v;
        h.launchAltitudeValid = true;
    }
    if (const ConfigOption* callSign = options_.option("CallSign")) h.callSign = callSign->text();
    return h;
}

std::string QCEngine::finalAltitudeSeries() const {
    auto on = [this](const char* name) { return options_.numericValue(name).value_or(0.0) != 0.0; };
    bool ascending = header_.ascending;
    if (on("SetHtsMissing")) return "QCAltMissing";
    if ((hitSurface() || ascending) && (!on("SfcAltUnknown") || ascending)) return "QCAltUp";
    return "QCAltDn";
}

std::optional<double> QCEngine::upwardLaunchAltitude() const {
    const DataSeries* up = series("QCAltUp");
    if (!up || up->size() == 0 || !up->hasFlags(0, FlagLaunch)) return std::nullopt;
    return up->value(0);
}

std::optional<double> QCEngine::downwardLowAltitude() const {
    const DataSeries* dn = series("QCAltDn");
    if (!dn) return std::nullopt;
    int i = dn->lastIndex();
    if (i > 1 && dn->hasFlags(i, FlagSurface)) --i;
    if (i <= 0) return std::nullopt;
    return dn->value(i);
}

std::optional<double> QCEngine::surfacePressure() const {
    if (!hitSurface()) return std::nullopt;
    const DataSeries* pres = series("QCPres");
    if (!pres || pres->size() == 0 || !pres->hasFlags(pres->lastIndex(), FlagSurface)) return std::nullopt;
    return pres->value(pres->lastIndex());
}

bool QCEngine::hitSurface() const {
    if (std::optional<double> v = options_.numericValue(kHitSurfaceOverride)) return *v != 0.0;
    const bool stored = options_.numericValue("DropsondeHitSfc").value_or(0.0) != 0.0;
    return stored && diagnosis_.decisions.reachedSurface;
}

double QCEngine::surfaceAltitude() const {
    if (header_.ascending) return header_.launchAltitude;
    return options_.numericValue("sfcAltOverride").value_or(0.0);
}

bool QCEngine::qcDone() const { return sounding_ && sounding_->qcDone(); }

double QCEngine::lastDataTime() const { return sounding_ ? sounding_->lastDataTime() : -1.0; }

}  // namespace velta
