#include "sim/acoustics/NoiseStream.h"

#include <cmath>
#include <numbers>

namespace korvanta::sim {

namespace {

constexpr uint64_t kGolden = 0x9E3779B97F4A7C15ull;

// SplitMix64's finaliser.
uint64_t Mix(uint64_t x)
{
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A uniform number in (0, 1] from 53 bits.
double Uniform(uint64_t bits)
{
    return static_cast<double>((bits >> 11) + 1) * 0x1.0p-53;
}

}  // namespace

NoiseStream::NoiseStream(uint64_t seed, uint64_t stream) : key_(Mix(seed * kGolden + Mix(stream + kGolden))) {}

double NoiseStream::ValueAt(int64_t tick) const
{
    const uint64_t counter = 2 * static_cast<uint64_t>(tick);
    const double u1 = Uniform(Mix(key_ + counter * kGolden));
    const double u2 = Uniform(Mix(key_ + (counter + 1) * kGolden));
    const double value = std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    return gating_.Steady() ? value : value * gating_.Gain(key_, tick);
}

void NoiseStream::Ensure(int64_t first, int64_t last)
{
    const int64_t end = base_ + static_cast<int64_t>(values_.size());
    if (values_.empty() || first >= end || first < base_) {
        values_.clear();
        base_ = first;
    } else if (first > base_) {
        values_.erase(values_.begin(), values_.begin() + (first - base_));
        base_ = first;
    }
    for (int64_t tick = base_ + static_cast<int64_t>(values_.size()); tick <= last; ++tick) {
        values_.push_back(ValueAt(tick));
    }
}

}  // namespace korvanta::sim
