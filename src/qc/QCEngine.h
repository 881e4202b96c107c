// Takes one sounding from its raw series to the finished QC series: owns the
// opened input and the sounding built from it, and runs the QC steps in order.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "config/ConfigSet.h"
#include "io/SoundingFile.h"
#include "qc/SensorResponse.h"
#include "qc/DropDiagnosis.h"
#include "sounding/ProcessingLog.h"
#include "sounding/Sounding.h"
#include "sounding/SoundingHeader.h"
#include "sounding/StatusReporter.h"

namespace velta {

class QCEngine {
public:
    // Reads the input through format detection; when a reader accepts it, builds the sounding.
    QCEngine(const std::string& path, std::istream& input, ConfigSet& options, ProcessingLog& log);
    ~QCEngine();
    QCEngine(const QCEngine&) = delete;
    QCEngine& operator=(const QCEngine&) = delete;

    bool loaded() const { return sounding_ != nullptr; }
    // The reader's error text when the input was not accepted.
    std::string loadErrorText() const;

    // Runs every QC step in order, reporting each step's name to the progress.
    void run(StatusReporter& progress);
    // The failure lines of the last run; answers the error flag.
    bool errors(std::string& text) const {
        text = errorText_;
        return failed_;
    }

    // The temperature sensor model of the last run (chosen by SensorResponse and the sonde type).
    const SensorResponse& sensorResponse() const { return sensorResponse_; }

    DataSeries* series(const std::string& name);
    const DataSeries* series(const std::string& name) const;
    Sounding* sounding() { return sounding_.get(); }
    const Sounding* sounding() const { return sounding_.get(); }
    const SoundingFile& source() const { return *source_; }
    const SoundingHeader& header() const { return header_; }
    const std::string& path() const { return path_; }

    // A fresh header with the launch position overrides and the call sign applied.
    SoundingHeader headerWithOverrides() const;

    // Altitude results shown on the launch/surface page.
    std::string finalAltitudeSeries() const;
    std::optional<double> upwardLaunchAltitude() const;
    std::optional<double> downwardLowAltitude() const;
    std::optional<double> surfacePressure() const;
    double surfaceAltitude() const;

    // What the last run's diagnosis found and decided.
    const DropDiagnosis& diagnosis() const { return diagnosis_; }
    // Whether this drop is processed as reaching the surface: the operator's
    // hitSfcOverride for this drop, else, with SfcAutoDetect on, DropsondeHitSfc
    // unless the diagnosis found the signal lost above the surface, else DropsondeHitSfc.
    bool hitSurface() const;

    bool qcDone() const;
    double lastDataTime() const;

private:
    std::string path_;
    ConfigSet& options_;
    ProcessingLog& log_;
    std::unique_ptr<SoundingFile> source_;
    std::unique_ptr<Sounding> sounding_;
    SoundingHeader header_;
    bool failed_ = false;
    SensorResponse sensorResponse_{};
    std::string errorText_;
    DropDiagnosis diagnosis_;
};

}  // namespace velta
