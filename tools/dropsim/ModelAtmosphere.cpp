#include "ModelAtmosphere.h"

#include <algorithm>
#include <cmath>

#include "Physics.h"
#include "Random.h"

namespace velta::sim {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
// About one kilometre of height in ln p in the troposphere.
constexpr double kLnpPerKm = 1.0 / 7.0;

// Position of p between two nodes, in ln p, and the index of the upper node.
template <typename Node>
std::pair<std::size_t, double> bracket(const std::vector<Node>& nodes, double p) {
    if (p >= nodes.front().pressure) return {0, 0.0};
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        if (p >= nodes[i].pressure) {
            const double f =
                std::log(nodes[i - 1].pressure / p) / std::log(nodes[i - 1].pressure / nodes[i].pressure);
            return {i, f};
        }
    }
    return {nodes.size() - 1, 1.0};
}

double interpolate(const std::vector<ProfileNode>& nodes, double p) {
    const auto [i, f] = bracket(nodes, p);
    if (i == 0) return nodes.front().value;
    return nodes[i - 1].value + f * (nodes[i].value - nodes[i - 1].value);
}

}  // namespace

ProfileShape hurricaneProfile() {
    ProfileShape s;
    s.name = "hurricane";
    s.surfacePressure = 1008.0;
    s.temperature = {{1008, 28.0}, {1000, 27.4}, {950, 24.2},  {900, 21.3},  {850, 18.5},  {818, 16.6},
                     {808, 17.6},  {780, 16.3},  {700, 10.2},  {650, 6.6},   {600, 2.8},   {500, -5.0},
                     {400, -16.5}, {300, -32.0}, {250, -41.5}, {200, -53.0}, {150, -66.0}, {110, -76.0},
                     {95, -78.0},  {85, -73.0},  {70, -66.0},  {30, -55.0}};
    s.humidity = {{1008, 88}, {950, 91}, {850, 86}, {818, 82}, {805, 66}, {700, 74},
                  {500, 62},  {300, 42}, {200, 30}, {100, 10}, {30, 4}};
    s.wind = {{1008, 31, 80}, {990, 41, 86},  {950, 52, 95}, {900, 48, 100}, {850, 43, 105}, {700, 35, 115},
              {500, 25, 130}, {300, 12, 160}, {200, 8, 200}, {100, 10, 90},  {30, 12, 90}};
    s.temperatureWiggle = 0.12;
    s.humidityWiggle = 2.5;
    s.windWiggle = 1.2;
    return s;
}

ProfileShape researchProfile() {
    ProfileShape s;
    s.name = "research";
    s.surfacePressure = 1013.0;
    s.temperature = {{1013, 22.0}, {1000, 21.0}, {950, 17.2},  {900, 13.6},  {880, 12.3},  {868, 14.1},
                     {850, 13.3},  {800, 10.0},  {700, 3.2},   {600, -4.6},  {500, -13.8}, {400, -25.5},
                     {300, -41.0}, {250, -50.0}, {210, -56.5}, {200, -56.0}, {180, -54.5}, {150, -55.0},
                     {120, -56.0}, {100, -57.0}, {30, -55.0}};
    s.humidity = {{1013, 76}, {900, 82}, {880, 86}, {866, 38}, {700, 42}, {500, 34},
                  {300, 52},  {250, 46}, {210, 18}, {150, 7},  {30, 3}};
    s.wind = {{1013, 6, 200}, {950, 15, 210}, {920, 19, 215}, {880, 12, 232}, {850, 10, 240},
              {700, 15, 250}, {500, 25, 260}, {300, 42, 265}, {250, 50, 268}, {200, 40, 270},
              {150, 25, 272}, {100, 15, 270}, {30, 10, 270}};
    s.temperatureWiggle = 0.15;
    s.humidityWiggle = 3.0;
    s.windWiggle = 1.0;
    return s;
}

ProfileShape withCloudLayer(ProfileShape shape, double bottom, double top) {
    std::vector<ProfileNode> humidity;
    bool placed = false;
    for (const ProfileNode& n : shape.humidity) {
        if (n.pressure <= bottom && n.pressure >= top) continue;
        if (!placed && n.pressure < top) {
            humidity.push_back({bottom, 100.0});
            humidity.push_back({top, 100.0});
            placed = true;
        }
        humidity.push_back(n);
    }
    if (!placed) {
        humidity.push_back({bottom, 100.0});
        humidity.push_back({top, 100.0});
    }
    shape.humidity = humidity;
    return shape;
}

ModelAtmosphere::ModelAtmosphere(ProfileShape shape, std::uint64_t seed) : shape_(std::move(shape)) {
    Random rng(seed, "atmosphere");
    // Wavelengths of 0.8 to 3 km keep the structure gentle enough that it adds
    // no inversion or wind maximum of its own.
    auto draw = [&](double amplitude) {
        std::vector<Wave> list;
        for (int k = 0; k < 3; ++k) {
            const double km = rng.uniform(0.8, 3.0);
            list.push_back({amplitude * rng.uniform(0.25, 0.5), km * kLnpPerKm, rng.uniform(0.0, kTwoPi)});
        }
        return list;
    };
    temperatureWaves_ = draw(shape_.temperatureWiggle);
    humidityWaves_ = draw(shape_.humidityWiggle);
    uWaves_ = draw(shape_.windWiggle);
    vWaves_ = draw(shape_.windWiggle);
}

double ModelAtmosphere::waves(const std::vector<Wave>& list, double lnp) {
    double sum = 0.0;
    for (const Wave& w : list) sum += w.amplitude * std::sin(kTwoPi * lnp / w.wavelength + w.phase);
    return sum;
}

AirState ModelAtmosphere::at(double pressure) const {
    const double lnp = std::log(pressure);
    AirState a{};
    a.temperature = interpolate(shape_.temperature, pressure) + waves(temperatureWaves_, lnp);
    // A saturated layer stays saturated; elsewhere the fine structure plays.
    const double rh = interpolate(shape_.humidity, pressure);
    a.rh = rh >= 100.0 ? 100.0 : std::clamp(rh + waves(humidityWaves_, lnp), 1.0, 100.0);

    // Speed and direction are joined separately, turning the short way round.
    const auto& nodes = shape_.wind;
    const auto [i, f] = bracket(nodes, pressure);
    double speed = nodes.front().speed;
    double direction = nodes.front().direction;
    if (i > 0) {
        const WindNode& a0 = nodes[i - 1];
        const WindNode& a1 = nodes[i];
        double turn = std::fmod(a1.direction - a0.direction + 540.0, 360.0) - 180.0;
        speed = a0.speed + f * (a1.speed - a0.speed);
        direction = a0.direction + f * turn;
    }
    componentsFromWind(speed, direction, a.u, a.v);
    a.u += waves(uWaves_, lnp);
    a.v += waves(vWaves_, lnp);
    return a;
}

}  // namespace velta::sim
