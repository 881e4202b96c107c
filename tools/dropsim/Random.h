#pragma once

#include <cstdint>
#include <random>
#include <string_view>

namespace velta::sim {

// Seeded random numbers that come out the same on every platform: the standard
// engine is fully specified, while the standard distributions are not, so the
// uniform and normal draws are made here.
class Random {
public:
    // One independent stream per purpose, so that asking for more spikes does not
    // move the measurement noise.
    Random(std::uint64_t seed, std::string_view stream);

    double uniform();                      // [0, 1)
    double uniform(double lo, double hi);  // [lo, hi)
    int integer(int lo, int hi);           // [lo, hi]
    double normal(double sigma);           // mean 0

private:
    std::mt19937_64 engine_;
    bool haveSpare_ = false;
    double spare_ = 0.0;
};

}  // namespace velta::sim
