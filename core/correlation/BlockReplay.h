#pragma once

#include <span>

#include "core/correlation/CCorrelator.h"

namespace korvanta {

// Feeds a measurement's blocks to an engine as the document does during a measurement: reset,
// every block in arrival order, a fresh chain after each completed chain of pairs (the stations
// are re-synchronised then), and the sums stored into the engine's record at the end.
// Returns whether any block produced a new correlation result.
bool ReplayBlocks(CCorrelator& engine, std::span<const DataBlockRecord> blocks);

}  // namespace korvanta
