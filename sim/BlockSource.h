#pragma once

#include "sim/LeakNoiseGenerator.h"

namespace korvanta::sim {

// Whatever the sampling stations hear, served one block of every station at a time: the leak
// model, a pipe's acoustics or recorded signals. Blocks follow each other without a gap until a
// restart; the stations are the ones the source was made for, in its order.
class BlockSource {
public:
    virtual ~BlockSource() = default;

    // The next block of every station, in step, right after the previous one.
    virtual SampledBlock NextBlock() = 0;
    // A new start of sampling: the next block is number 0 again and begins gapSeconds (clamped to
    // 0 .. LeakNoiseGenerator::kMaxGapSeconds) after the end of the last block.
    virtual void Restart(double gapSeconds) = 0;
    virtual int NextBlockNumber() const = 0;
};

}  // namespace korvanta::sim
