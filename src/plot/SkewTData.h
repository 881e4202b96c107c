// What the skew-T shows of a sounding: temperature and dew-point points and
// the wind entries, taken from the QC series.
#pragma once

#include <vector>

namespace velta {

class DataSeries;
class Sounding;

struct SkewTPoint {
    double temperature;  // deg C
    double pressure;     // mb
};

struct SkewTWind {
    double pressure;   // mb
    double speed;      // m/s
    double direction;  // degrees the wind blows from
};

struct SkewTData {
    std::vector<SkewTPoint> temperature;
    std::vector<SkewTPoint> dewPoint;
    std::vector<SkewTWind> winds;
};

// The series merged on their times: a row with pressure and temperature gives
// a temperature point, and a dew-point point when it has humidity; a row that
// also has speed and direction gives a wind entry. Null series are empty.
SkewTData skewTData(const DataSeries* pressure, const DataSeries* temperature, const DataSeries* humidity,
                    const DataSeries* speed, const DataSeries* direction);
// The same from QCPres, QCTdry, QCRH, QCWspd and QCWdir.
SkewTData skewTData(const Sounding& sounding);

}  // namespace velta
