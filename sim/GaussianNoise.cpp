#include "sim/GaussianNoise.h"

#include <cmath>

namespace korvanta::sim {

namespace {

// SplitMix64 finaliser: spreads neighbouring seeds and stream numbers over the whole state.
uint64_t Mix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

}  // namespace

GaussianNoise::GaussianNoise(uint64_t seed, uint64_t stream) : engine_(Mix(seed ^ Mix(stream))) {}

double GaussianNoise::NextUniform()
{
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

double GaussianNoise::Next()
{
    if (hasSpare_) {
        hasSpare_ = false;
        return spare_;
    }
    double u = 0.0;
    double v = 0.0;
    double s = 0.0;
    do {
        u = 2.0 * NextUniform() - 1.0;
        v = 2.0 * NextUniform() - 1.0;
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double factor = std::sqrt(-2.0 * std::log(s) / s);
    spare_ = v * factor;
    hasSpare_ = true;
    return u * factor;
}

}  // namespace korvanta::sim
