// What every sounding writer receives: the path, the output stream of the text
// formats, the rows as columns of doubles, the launch description, the
// processing information, and the formulas of the derived quantities.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "qc/MetFormulaArrays.h"
#include "qc/MetFormulas.h"
#include "sounding/SoundingHeader.h"

namespace velta {

using KeyValueList = std::vector<std::pair<std::string, std::string>>;

// The formulas the writers derive columns with. The io library sits below the
// QC library, so the caller supplies them: meteorologicalWriterFormulas() for
// the program's own formulas. Each array form writes MissingValue where an
// input is missing (not above MissingValue) and answers false on unequal sizes.
struct WriterFormulas {
    using Array2 = bool (*)(std::span<const double>, std::span<const double>, std::span<double>);
    using Array3 = bool (*)(std::span<const double>, std::span<const double>, std::span<const double>,
                            std::span<double>);
    // deg C from deg C and %.
    Array2 dewPoint = nullptr;
    // g/kg from deg C and mb (the mixing ratio when given the dew point).
    Array2 saturationMixingRatio = nullptr;
    // K from deg C and mb.
    Array2 potentialTemperature = nullptr;
    // K from K and mb.
    Array2 potentialTemperatureKelvin = nullptr;
    // K from deg C, dew point deg C and mb.
    Array3 equivalentPotentialTemperature = nullptr;
    // K from deg C, % and mb.
    Array3 virtualTemperature = nullptr;
    // Eastward and northward components from speed and the direction the wind blows from.
    void (*windComponents)(double speed, double direction, double& u, double& v) = nullptr;

    bool complete() const {
        return dewPoint && saturationMixingRatio && potentialTemperature && potentialTemperatureKelvin &&
               equivalentPotentialTemperature && virtualTemperature && windComponents;
    }
};

// The program's formulas (qc/MetFormulas). Only callers linked with the QC
// library may call this; it is inline so that merely including this header
// does not tie the io library to it.
inline WriterFormulas meteorologicalWriterFormulas() {
    WriterFormulas f;
    f.dewPoint = &dewPointArray;
    f.saturationMixingRatio = &saturationMixingRatioArray;
    f.potentialTemperature = &potentialTemperatureArray;
    f.potentialTemperatureKelvin = &potentialTemperatureKelvinArray;
    f.equivalentPotentialTemperature = &equivalentPotentialTemperatureArray;
    f.virtualTemperature = &virtualTemperatureArray;
    f.windComponents = &windComponents;
    return f;
}

// The rows handed to a writer, one element per row. The first eight are always
// present; an empty latitude, longitude, altitude, GPS altitude or dz column is
// absent and written as missing. MissingValue (-999) marks a missing value.
struct WriterColumns {
    std::span<const double> time, pressure, temperature, rh, windSpeed, windDirection, u, v;
    std::span<const double> latitude, longitude, altitude, gpsAltitude, dz;
};

struct WriterInput {
    // Full path of the file being written.
    std::string path;
    // The text formats write here; the netCDF writer writes to path itself.
    std::ostream* stream = nullptr;
    int32_t count = 0;
    SoundingHeader header;
    // KarvoEditorVersion, SoundingDescription, ConfigSetName, in that order.
    KeyValueList processingLog;
    // The columns belong to the caller and must outlive the writer.
    WriterColumns columns;
    // CSV only: write the processing log entries, and skip the first row as the launch point.
    bool writeProcessingLog = false;
    bool firstRowIsLaunchPoint = false;
    WriterFormulas formulas;
    // The build's revision and last-change date lines; each written only when not empty.
    std::string buildRevision;
    std::string buildLastChangedDate;

    // Empty when the columns fit count (present ones hold count values) and
    // the formulas are complete; otherwise what is wrong.
    std::string problem() const;
};

}  // namespace velta
