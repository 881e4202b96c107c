#include "Random.h"

#include <cmath>

namespace velta::sim {

namespace {

std::uint64_t splitMix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

std::uint64_t hashName(std::string_view name) {
    std::uint64_t h = 1469598103934665603ULL;  // FNV-1a
    for (unsigned char c : name) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

}  // namespace

Random::Random(std::uint64_t seed, std::string_view stream)
    : engine_(splitMix(seed ^ splitMix(hashName(stream)))) {}

double Random::uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

double Random::uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }

int Random::integer(int lo, int hi) {
    const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<int>(engine_() % span);
}

double Random::normal(double sigma) {
    if (haveSpare_) {
        haveSpare_ = false;
        return spare_ * sigma;
    }
    // Box-Muller; 1 - u keeps the logarithm away from zero.
    const double u1 = 1.0 - uniform();
    const double u2 = uniform();
    const double r = std::sqrt(-2.0 * std::log(u1));
    const double a = 2.0 * 3.14159265358979323846 * u2;
    spare_ = r * std::sin(a);
    haveSpare_ = true;
    return r * std::cos(a) * sigma;
}

}  // namespace velta::sim
