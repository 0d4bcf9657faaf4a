#include "core/correlation/BlockReplay.h"

namespace korvanta {

bool ReplayBlocks(CCorrelator& engine, std::span<const DataBlockRecord> blocks)
{
    bool updated = false;
    engine.ResetMeasurement();
    for (const DataBlockRecord& block : blocks) {
        if (engine.ProcessBlock(block)) {
            updated = true;
        }
        if (engine.NeedsRestart()) {
            engine.RestartSequence();
        }
    }
    engine.StoreToRecord();
    return updated;
}

}  // namespace korvanta
