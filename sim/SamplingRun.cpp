#include "sim/SamplingRun.h"

#include <utility>

#include "sim/LeakNoiseSource.h"

namespace korvanta::sim {

SamplingRun::SamplingRun(std::vector<uint8_t> units, LeakNoiseGenerator generator)
    : SamplingRun(std::move(units), std::make_unique<LeakNoiseSource>(std::move(generator)))
{
}

SamplingRun::SamplingRun(std::vector<uint8_t> units, std::unique_ptr<BlockSource> source)
    : units_(std::move(units)), source_(std::move(source))
{
}

BlockSlot SamplingRun::Next() const
{
    const int count = static_cast<int>(units_.size());
    const int station = slot_ % count;
    return {units_[static_cast<size_t>(station)], station, slot_ / count};
}

std::vector<double> SamplingRun::TakeNext()
{
    const BlockSlot slot = Next();
    if (!current_ || current_->blockNumber != slot.blockNumber) {
        current_ = source_->NextBlock();
    }
    ++slot_;
    return current_->samples[static_cast<size_t>(slot.station)];
}

void SamplingRun::Restart(double gapSeconds)
{
    source_->Restart(gapSeconds);
    current_.reset();
    slot_ = 0;
}

}  // namespace korvanta::sim
