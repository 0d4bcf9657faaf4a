#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "sim/BlockSource.h"
#include "sim/LeakNoiseGenerator.h"

namespace korvanta::sim {

// The block the next data-block request receives.
struct BlockSlot {
    uint8_t unit = 0;
    int station = 0;      // index into the run's units
    int blockNumber = 0;  // 0 for the first block after a start of sampling
};

// The selected units sampling in step, served one block at a time: every unit's block 0 in the
// run's unit order, then every unit's block 1, and so on. A block of all stations is drawn from
// the source (the leak model, the pipe's acoustics or recordings) when its first station is served.
class SamplingRun {
public:
    // `units` in serving order; `generator` must have one station per unit, in the same order.
    SamplingRun(std::vector<uint8_t> units, LeakNoiseGenerator generator);
    // `source` must not be null and must serve one station per unit, in the same order.
    SamplingRun(std::vector<uint8_t> units, std::unique_ptr<BlockSource> source);

    const std::vector<uint8_t>& Units() const { return units_; }
    BlockSlot Next() const;
    // The samples of the next slot's station; then moves on to the following slot.
    std::vector<double> TakeNext();
    // A new start of sampling: block numbers from 0 again, `gapSeconds` after the last block drawn.
    void Restart(double gapSeconds);
    // Blocks drawn since the last (re)start.
    int BlocksDrawn() const { return source_->NextBlockNumber(); }

private:
    std::vector<uint8_t> units_;
    std::unique_ptr<BlockSource> source_;
    std::optional<SampledBlock> current_;
    int slot_ = 0;  // slots served since the last (re)start
};

}  // namespace korvanta::sim
