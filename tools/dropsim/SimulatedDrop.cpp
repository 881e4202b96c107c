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

    InstrumentSettings instrument = settings.instrument;
    instrument.seed = settings.seed;

    SimulatedDrop drop;
    drop.fall = simulateFall(atmosphere, column, fall);
    drop.launchObservation = launchObservation(drop.fall, instrument);
    drop.records = observeDrop(drop.fall, instrument);
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
