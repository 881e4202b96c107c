#include "SimulatedDrop.h"

#include "AirColumn.h"
#include "CabinRecords.h"
#include "Instrument.h"
#include "ModelAtmosphere.h"

namespace velta::sim {

SimulatedDrop simulateDrop(const DropSettings& settings) {
    ProfileShape shape = profileFor(settings.kind);
    if (settings.scenario == Scenario::Cloud)
        shape = withCloudLayer(shape, shape.surfacePressure - 50.0, shape.surfacePressure - 130.0);
    const ModelAtmosphere atmosphere(shape, settings.seed);
    const AirColumn column(atmosphere);

    FallSettings fall;
    fall.launchPressure = settings.launchPressure;
    fall.endPressure = settings.endPressure;
    fall.launchLat = settings.launchLat;
    fall.launchLon = settings.launchLon;
    fall.rate = settings.rate;
    fall.sonde = settings.sonde;
    fall.sensor = sensorOf(settings);

    InstrumentSettings instrument = settings.instrument;
    instrument.seed = settings.seed;

    SimulatedDrop drop;
    drop.fall = simulateFall(atmosphere, column, fall);
    drop.launchObservation = launchObservation(drop.fall, instrument);
    drop.records = observeDrop(drop.fall, instrument);
    if (settings.scenario == Scenario::LateAcquisition) {
        // The receiver finds the sonde only far below the launch.
        const double acquired = settings.launchPressure + kAcquisitionBelowLaunch;
        double from = drop.fall.samples.back().time + 1.0;
        for (const TruthSample& t : drop.fall.samples)
            if (t.pressure >= acquired) {
                from = t.time;
                break;
            }
        std::erase_if(drop.records, [&](const DataRecord& r) { return r.time < from; });
    }
    if (currentLayout(settings)) {
        const Aircraft aircraft = aircraftAt(drop.fall);
        drop.preLaunch = tubeRecords(settings, drop.fall, aircraft);
        drop.secondSonde = secondSondeRecords(settings, drop.fall, aircraft);
    } else {
        drop.preLaunch = preLaunchRecords(drop.fall, instrument, settings.sonde, settings.preLaunchRecords);
    }
    return drop;
}

}  // namespace velta::sim
