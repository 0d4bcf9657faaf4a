#pragma once

#include <cstdint>
#include <vector>

#include "sim/acoustics/Intermittency.h"

namespace korvanta::sim {

// White Gaussian noise of variance 1 on the sampling clock's ticks. The value at a tick depends
// only on the seed, the stream and the tick (a counter-based generator: SplitMix64 of the tick,
// then Box-Muller), so what one station hears does not depend on which other stations sample
// with it or on how far back they reach. Values are kept while they may still be needed.
class NoiseStream {
public:
    NoiseStream(uint64_t seed, uint64_t stream);

    // Makes ticks first..last available and forgets those before first.
    void Ensure(int64_t first, int64_t last);
    // The value at `tick`, which must lie in the range last ensured.
    const double* At(int64_t tick) const { return values_.data() + (tick - base_); }

    // The value at any tick, computed afresh (the gating included).
    double ValueAt(int64_t tick) const;

    // Makes the noise come and go; a steady gating leaves it on.
    void SetGating(const Intermittency& gating) { gating_ = gating; }

private:
    uint64_t key_;
    Intermittency gating_;
    std::vector<double> values_;
    int64_t base_ = 0;
};

}  // namespace korvanta::sim
