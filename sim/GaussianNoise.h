#pragma once

#include <cstdint>
#include <random>

namespace korvanta::sim {

// Gaussian samples (mean 0, variance 1) from a 64-bit Mersenne Twister by the polar method.
// Everything past the engine is written out here, so a seed gives the same numbers with any
// standard library (the library's own distributions are free to differ).
class GaussianNoise {
public:
    // Independent streams of one seed: `stream` picks one (source, station 1, station 2, ...).
    explicit GaussianNoise(uint64_t seed, uint64_t stream = 0);

    double Next();

    // A uniform number in [0, 1) with 53 random bits.
    double NextUniform();

private:
    std::mt19937_64 engine_;
    double spare_ = 0.0;
    bool hasSpare_ = false;
};

}  // namespace korvanta::sim
