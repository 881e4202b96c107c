#include "SimulatedDrop.h"

#include "AirColumn.h"
#include "Instrument.h"
#include "ModelAtmosphere.h"

namespace velta::sim {

SimulatedDrop simulateDrop(const DropSettings& settings) {
    const ModelAtmosphere atmosphere(profileFor(settings.kind), settings.seed);
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
    drop.preLaunch = preLaunchRecords(drop.fall, instrument, settings.sonde, settings.preLaunchRecords);
    drop.launchObservation = launchObservation(drop.fall, instrument);
    drop.records = observeDrop(drop.fall, instrument);
    return drop;
}

}  // namespace velta::sim
