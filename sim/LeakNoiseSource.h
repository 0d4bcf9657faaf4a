#pragma once

#include <utility>

#include "sim/BlockSource.h"
#include "sim/LeakNoiseGenerator.h"

namespace korvanta::sim {

// The simple leak model (one velocity, a signal-to-noise ratio per station) as a block source.
class LeakNoiseSource final : public BlockSource {
public:
    explicit LeakNoiseSource(LeakNoiseGenerator generator) : generator_(std::move(generator)) {}

    SampledBlock NextBlock() override { return generator_.NextBlock(); }
    void Restart(double gapSeconds) override { generator_.Restart(gapSeconds); }
    int NextBlockNumber() const override { return generator_.NextBlockNumber(); }

private:
    LeakNoiseGenerator generator_;
};

}  // namespace korvanta::sim
