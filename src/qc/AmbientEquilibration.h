// Discards the first seconds of a drop, while the temperature and humidity sensors still carry the
// aircraft cabin's temperature, and logs how long that was.
#pragma once

#include "qc/SensorResponse.h"
#include "sounding/DataSeries.h"
#include "sounding/ProcessingLog.h"

namespace velta {

class AmbientEquilibration {
public:
    static constexpr const char* LogCategory = "Ambient Equilibration";

    // The air the sonde is released into (mb, deg C, %).
    struct Ambient {
        double pressure = 200.0;
        double temperature = -80.0;
        double humidity = 50.0;
    };

    // End of an equilibration period and the number of sensor time constants it lasts.
    struct Period {
        double end = 0.0;
        double count = 0.0;
    };

    // The temperature sensor's time constant comes from the given model (the bead unless told).
    AmbientEquilibration(double chuteArea, double sondeMass, SensorResponse sensor = SensorResponse::bead())
        : chuteArea_(chuteArea), sondeMass_(sondeMass), sensor_(sensor) {}

    // Removes the equilibration periods from the series (null counts as empty) and logs them.
    void operator()(DataSeries* pressure, DataSeries* temperature, DataSeries* humidity,
                    const Ambient& ambient, ProcessingLog& log) const;

    // The temperature sensor's period, counted from startTime (the first temperature time); for a
    // fast sensor, counted from release along the sonde's speed-up, ending no earlier than startTime.
    Period temperaturePeriod(const Ambient& ambient, double startTime) const;
    // The humidity sensor's period, counted from the first humidity time, with the time constant
    // taken from the pressure. When no time constant can be had, the period ends at
    // temperatureEnd, so that humidity loses no more than temperature does.
    static Period humidityPeriod(const Ambient& ambient, const DataSeries& humidity,
                                 const DataSeries& pressure, double temperatureEnd);

private:
    double fastSensorEnd(const Ambient& ambient, double terminalSpeed, double count, double startTime) const;

    double chuteArea_;
    double sondeMass_;
    SensorResponse sensor_;
};

}  // namespace velta
