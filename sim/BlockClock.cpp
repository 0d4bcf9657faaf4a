#include "sim/BlockClock.h"

#include <algorithm>
#include <cmath>

#include "sim/BlockTiming.h"

namespace korvanta::sim {

void BlockClock::Advance()
{
    nextSample_ += kSamplesPerBlock;
    ++blockNumber_;
}

void BlockClock::Restart(double gapSeconds)
{
    const double gap = std::isnan(gapSeconds) ? 0.0 : std::clamp(gapSeconds, 0.0, kMaxGapSeconds);
    nextSample_ += std::llround(gap * kSampleRate);
    blockNumber_ = 0;
}

}  // namespace korvanta::sim
