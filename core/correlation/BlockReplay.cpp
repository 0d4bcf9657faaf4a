#include "core/correlation/BlockReplay.h"

namespace korvanta {

BlockReplay::BlockReplay(CCorrelator& engine) : engine_(engine)
{
    engine_.ResetMeasurement();
}

void BlockReplay::Feed(const DataBlockRecord& block)
{
    if (engine_.ProcessBlock(block)) {
        updated_ = true;
    }
    if (engine_.NeedsRestart()) {
        engine_.RestartSequence();
    }
}

bool BlockReplay::Finish()
{
    engine_.StoreToRecord();
    return updated_;
}

bool ReplayBlocks(CCorrelator& engine, std::span<const DataBlockRecord> blocks)
{
    BlockReplay replay(engine);
    for (const DataBlockRecord& block : blocks) {
        replay.Feed(block);
    }
    return replay.Finish();
}

}  // namespace korvanta
