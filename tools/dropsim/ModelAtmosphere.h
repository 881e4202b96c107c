#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velta::sim {

struct ProfileNode {
    double pressure;  // hPa
    double value;
};

struct WindNode {
    double pressure;   // hPa
    double speed;      // m/s
    double direction;  // degrees the wind blows from
};

// The large-scale shape of a sounding: values at pressure nodes (highest pressure
// first), joined linearly in ln p, plus the size of the small-scale structure
// laid over them.
struct ProfileShape {
    std::string name;
    double surfacePressure = 1013.0;       // hPa, at sea level
    std::vector<ProfileNode> temperature;  // °C
    std::vector<ProfileNode> humidity;     // %
    std::vector<WindNode> wind;
    double temperatureWiggle = 0.0;  // amplitude, °C
    double humidityWiggle = 0.0;     // amplitude, %
    double windWiggle = 0.0;         // amplitude of each component, m/s
};

// Tropical cyclone: 1008 hPa and 28 °C at the surface, a boundary-layer wind
// maximum near 950 hPa, a weak inversion near 815 hPa, tropopause near 95 hPa.
ProfileShape hurricaneProfile();

// Mid-latitude research sounding: an inversion near 875 hPa with dry air above,
// a low-level jet near 920 hPa, the jet stream near 250 hPa and the tropopause
// near 210 hPa.
ProfileShape researchProfile();

// The shape with a saturated (cloud) layer between the two pressures: the
// humidity is 100 % there and rises to it from the nodes outside.
ProfileShape withCloudLayer(ProfileShape shape, double bottom, double top);

struct AirState {
    double temperature;  // °C
    double rh;           // %
    double u;            // m/s, towards east
    double v;            // m/s, towards north
};

// The true atmosphere as a function of pressure. The small-scale structure is
// drawn from the seed, so one seed gives one atmosphere.
class ModelAtmosphere {
public:
    ModelAtmosphere(ProfileShape shape, std::uint64_t seed);

    AirState at(double pressure) const;
    const ProfileShape& shape() const { return shape_; }

private:
    struct Wave {
        double amplitude;
        double wavelength;  // in ln p
        double phase;
    };
    static double waves(const std::vector<Wave>& list, double lnp);

    ProfileShape shape_;
    std::vector<Wave> temperatureWaves_, humidityWaves_, uWaves_, vWaves_;
};

}  // namespace velta::sim
