#include "sim/acoustics/Intermittency.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/BlockTiming.h"

namespace korvanta::sim {

namespace {

uint64_t Mix(uint64_t x)
{
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

double SlotLevel(const Intermittency& gating, uint64_t key, int64_t slot)
{
    const double draw = static_cast<double>(Mix(key ^ Mix(static_cast<uint64_t>(slot))) >> 11) * 0x1.0p-53;
    return draw < gating.onShare ? 1.0 : std::pow(10.0, gating.offLevelDb / 20.0);
}

}  // namespace

double Intermittency::Gain(uint64_t key, int64_t tick) const
{
    if (Steady()) {
        return 1.0;
    }
    const double seconds = static_cast<double>(tick) / kSampleRate;
    const double slotPosition = seconds / periodSeconds;
    const auto slot = static_cast<int64_t>(std::floor(slotPosition));
    const double level = SlotLevel(*this, key, slot);
    const double ramp = std::min(0.1 * periodSeconds, 0.5);
    const double intoSlot = (slotPosition - static_cast<double>(slot)) * periodSeconds;
    if (intoSlot >= ramp) {
        return level;
    }
    const double before = SlotLevel(*this, key, slot - 1);
    const double share = 0.5 - 0.5 * std::cos(std::numbers::pi * intoSlot / ramp);
    return before + (level - before) * share;
}

std::string Intermittency::Check() const
{
    if (!std::isfinite(periodSeconds) || periodSeconds < 0.0 || periodSeconds > 3600.0) {
        return "the period must lie in 0..3600 s";
    }
    if (!std::isfinite(onShare) || onShare < 0.0 || onShare > 1.0) {
        return "the share of time on must lie in 0..1";
    }
    if (!std::isfinite(offLevelDb) || offLevelDb < -150.0 || offLevelDb > 0.0) {
        return "the level while off must lie in -150..0 dB";
    }
    return {};
}

}  // namespace korvanta::sim
