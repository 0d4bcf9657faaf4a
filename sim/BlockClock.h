#pragma once

#include <cstdint>

namespace korvanta::sim {

// Where a block source stands in sampled time: the first sample and the number of its next
// block. Blocks follow each other without a gap; a restart of sampling numbers from 0 again and
// lets time run on over the gap.
class BlockClock {
public:
    // The longest gap a restart takes (a day); more is clamped to it.
    static constexpr double kMaxGapSeconds = 86400.0;

    int64_t NextSample() const { return nextSample_; }
    int NextBlockNumber() const { return blockNumber_; }
    // One block was served.
    void Advance();
    // The gap in whole ticks, clamped to 0 .. kMaxGapSeconds; not a number counts as none.
    void Restart(double gapSeconds);

private:
    int64_t nextSample_ = 0;
    int blockNumber_ = 0;
};

}  // namespace korvanta::sim
