#pragma once

#include <span>

#include "core/correlation/CCorrelator.h"

namespace korvanta {

// Feeds a measurement's blocks to an engine as the document does during a measurement: reset,
// every block in arrival order, a fresh chain after each completed chain of pairs (the stations
// are re-synchronised then), and the sums stored into the engine's record at the end. Blocks go
// in one at a time, so a measurement read from a file is never held whole.
class BlockReplay {
public:
    explicit BlockReplay(CCorrelator& engine);
    void Feed(const DataBlockRecord& block);
    // Stores the sums; returns whether any block produced a new correlation result.
    bool Finish();

private:
    CCorrelator& engine_;
    bool updated_ = false;
};

// All of `blocks` through one BlockReplay.
bool ReplayBlocks(CCorrelator& engine, std::span<const DataBlockRecord> blocks);

}  // namespace korvanta
