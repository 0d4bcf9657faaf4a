#include "core/threestation/CThreeStationResult.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/text/StringIds.h"

namespace korvanta {

namespace {

// Offsets within the stored image; the members from the velocity onward are packed.
constexpr size_t kPairsAt = 4;
constexpr size_t kPairBytes = 20;
constexpr size_t kVelocityAt = 64;
constexpr size_t kValidAt = 68;
constexpr size_t kSegmentAt = 69;
constexpr size_t kDistancesAt = 73;  // red/yellow, red/blue, blue/yellow, each from first then second
constexpr size_t kLowerBoundAt = 97;
constexpr size_t kUpperBoundAt = 101;
constexpr size_t kMeanAt = 105;
constexpr size_t kTailAt = 109;

template <typename T>
void Put(std::span<uint8_t> out, size_t at, T value)
{
    static_assert(sizeof(T) == 4);
    std::memcpy(out.data() + at, &value, sizeof(T));
}

template <typename T>
T Get(std::span<const uint8_t> in, size_t at)
{
    static_assert(sizeof(T) == 4);
    T value;
    std::memcpy(&value, in.data() + at, sizeof(T));
    return value;
}

void PutDistances(std::span<uint8_t> out, size_t at, const PairDistances& distances)
{
    Put(out, at, distances.fromFirst);
    Put(out, at + 4, distances.fromSecond);
}

PairDistances GetDistances(std::span<const uint8_t> in, size_t at)
{
    return {Get<float>(in, at), Get<float>(in, at + 4)};
}

bool Finite(const PairDistances& distances)
{
    return std::isfinite(distances.fromFirst) && std::isfinite(distances.fromSecond);
}

// The leak on one pair at velocity v: x from the second sensor, the rest from the first.
PairDistances DistancesOnPair(float distance, float delay, float velocity)
{
    const float x = (distance - velocity * delay) / 2.0f;
    return {distance - x, x};
}

}  // namespace

CThreeStationResult::CThreeStationResult()
{
    for (int i = 0; i < kThreeStationPairs; ++i) {
        pairs_[static_cast<size_t>(i)].index = i;
    }
}

CThreeStationResult::CThreeStationResult(const ThreeStationSetup& setup) : CThreeStationResult()
{
    const auto pairs = setup.PairRecords();
    for (int i = 0; i < kThreeStationPairs; ++i) {
        SetPair(i, pairs[static_cast<size_t>(i)]);
    }
    SetVelocityBounds(setup.LowerVelocityBound(), setup.UpperVelocityBound());
    SetMeanVelocity(setup.MeanVelocity());
}

void CThreeStationResult::SetPair(int index, const ThreeStationPair& pair)
{
    pairs_.at(static_cast<size_t>(index)) = pair;
}

const ThreeStationPair& CThreeStationResult::Pair(int index) const
{
    return pairs_.at(static_cast<size_t>(index));
}

void CThreeStationResult::SetDelays(float redBlue, float blueYellow, float redYellow)
{
    const std::array<float, kThreeStationPairs> delays = {redBlue, blueYellow, redYellow};
    for (size_t i = 0; i < pairs_.size(); ++i) {
        ThreeStationPair& pair = pairs_[i];
        pair.delay = delays[i];
        // A distance of zero (a damaged file) has no ratio; Compute then finds no velocity.
        pair.ratio = pair.distance > 0.0f ? pair.delay / pair.distance : 0.0f;
    }
}

void CThreeStationResult::Compute()
{
    float largest = 0.0f;
    bool usable = true;
    for (const ThreeStationPair& pair : pairs_) {
        usable = usable && std::isfinite(pair.delay) && std::isfinite(pair.distance) && pair.distance > 0.0f &&
                 std::isfinite(pair.ratio);
        largest = std::max(largest, std::fabs(pair.ratio));
    }
    computable_ = usable && largest > 0.0f;
    if (!computable_) {
        // All delays zero would make the velocity 1/0: no velocity, no place, not valid.
        velocity_ = 0.0f;
        valid_ = false;
        redYellow_ = redBlue_ = blueYellow_ = PairDistances{};
        return;
    }
    velocity_ = 1.0f / largest;
    const ThreeStationPair& redBlue = pairs_[kPairRedBlue];
    const ThreeStationPair& blueYellow = pairs_[kPairBlueYellow];
    const ThreeStationPair& redYellow = pairs_[kPairRedYellow];
    redYellow_ = DistancesOnPair(redYellow.distance, redYellow.delay, velocity_);
    redBlue_ = DistancesOnPair(redBlue.distance, redBlue.delay, velocity_);
    blueYellow_ = DistancesOnPair(blueYellow.distance, blueYellow.delay, velocity_);

    valid_ = std::fabs(redYellow_.fromFirst) >= kAtSensor && std::fabs(redYellow_.fromSecond) >= kAtSensor;
    if (!valid_) {
        return;  // the segment keeps its previous value
    }
    if (redBlue_.fromSecond >= kAtSensor) {
        segment_ = kSegmentRedBlue;
    } else if (blueYellow_.fromFirst >= kAtSensor) {
        segment_ = kSegmentBlueYellow;
    } else {
        segment_ = kSegmentAtBlue;
    }
}

void CThreeStationResult::SetVelocityBounds(float lower, float upper)
{
    lowerBound_ = lower;
    upperBound_ = upper;
}

// Whether the material's mean velocity would put the leak strictly inside all three spans.
bool CThreeStationResult::LeakInsideEverySpan(float velocity) const
{
    const float redBlue = pairs_[kPairRedBlue].distance;
    const float redYellow = pairs_[kPairRedYellow].distance;
    const std::array<float, kThreeStationPairs> spans = {redBlue, redYellow - redBlue, redYellow};
    for (size_t i = 0; i < pairs_.size(); ++i) {
        const float x = (spans[i] - velocity * pairs_[i].delay) / 2.0f;
        if (!(x > kAtSensor && spans[i] - x > kAtSensor)) {
            return false;
        }
    }
    return true;
}

uint32_t CThreeStationResult::PlausibilityNote() const
{
    if (!computable_) {
        return str::kNoteCalculationImpossible;
    }
    if (mean_ != 0.0f && !valid_ && LeakInsideEverySpan(mean_)) {
        return str::kNoteCalculationImpossible;
    }
    // Without a velocity table (both bounds 0) there is nothing to judge the velocity by.
    if (upperBound_ <= 0.0f) {
        return 0;
    }
    if (velocity_ < lowerBound_) {
        return str::kNoteVelocityLow;
    }
    if (velocity_ > upperBound_) {
        return str::kNoteVelocityHigh;
    }
    return 0;
}

std::array<uint8_t, CThreeStationResult::kBlockBytes> CThreeStationResult::ToBlock(uint32_t reserved) const
{
    std::array<uint8_t, kBlockBytes> block{};
    const std::span<uint8_t> out(block);
    Put(out, 0, reserved);
    for (size_t i = 0; i < pairs_.size(); ++i) {
        const size_t at = kPairsAt + i * kPairBytes;
        Put(out, at, pairs_[i].index);
        Put(out, at + 4, pairs_[i].delay);
        Put(out, at + 8, pairs_[i].distance);
        Put(out, at + 12, pairs_[i].range);
        Put(out, at + 16, pairs_[i].ratio);
    }
    Put(out, kVelocityAt, velocity_);
    block[kValidAt] = valid_ ? 1 : 0;
    Put(out, kSegmentAt, segment_);
    PutDistances(out, kDistancesAt, redYellow_);
    PutDistances(out, kDistancesAt + 8, redBlue_);
    PutDistances(out, kDistancesAt + 16, blueYellow_);
    Put(out, kLowerBoundAt, lowerBound_);
    Put(out, kUpperBoundAt, upperBound_);
    Put(out, kMeanAt, mean_);
    std::copy(tail_.begin(), tail_.end(), block.begin() + kTailAt);
    return block;
}

std::string CThreeStationResult::FromBlock(std::span<const uint8_t, kBlockBytes> block)
{
    const std::span<const uint8_t> in(block);
    CThreeStationResult read;
    for (size_t i = 0; i < read.pairs_.size(); ++i) {
        const size_t at = kPairsAt + i * kPairBytes;
        ThreeStationPair& pair = read.pairs_[i];
        pair = {Get<int32_t>(in, at), Get<float>(in, at + 4), Get<float>(in, at + 8), Get<int32_t>(in, at + 12),
                Get<float>(in, at + 16)};
        const std::string which = "pair " + std::to_string(i);
        if (pair.index != static_cast<int32_t>(i)) {
            return which + " has index " + std::to_string(pair.index);
        }
        if (pair.range < 0 || pair.range > 2) {
            return which + " has correlation range " + std::to_string(pair.range);
        }
        if (!std::isfinite(pair.delay) || !std::isfinite(pair.ratio)) {
            return which + " has no usable delay";
        }
        if (!std::isfinite(pair.distance) || pair.distance < 0.0f) {
            return which + " has no usable distance";
        }
    }
    read.velocity_ = Get<float>(in, kVelocityAt);
    const uint8_t valid = block[kValidAt];
    read.segment_ = Get<int32_t>(in, kSegmentAt);
    read.redYellow_ = GetDistances(in, kDistancesAt);
    read.redBlue_ = GetDistances(in, kDistancesAt + 8);
    read.blueYellow_ = GetDistances(in, kDistancesAt + 16);
    read.lowerBound_ = Get<float>(in, kLowerBoundAt);
    read.upperBound_ = Get<float>(in, kUpperBoundAt);
    read.mean_ = Get<float>(in, kMeanAt);
    std::copy(block.begin() + kTailAt, block.end(), read.tail_.begin());
    if (valid > 1) {
        return "valid flag " + std::to_string(valid);
    }
    if (read.segment_ < kSegmentRedBlue || read.segment_ > kSegmentAtBlue) {
        return "leak segment " + std::to_string(read.segment_);
    }
    if (!std::isfinite(read.velocity_) || !Finite(read.redYellow_) || !Finite(read.redBlue_) ||
        !Finite(read.blueYellow_)) {
        return "velocity or leak distances are not numbers";
    }
    if (!std::isfinite(read.lowerBound_) || !std::isfinite(read.upperBound_) || !std::isfinite(read.mean_)) {
        return "velocity bounds are not numbers";
    }
    read.valid_ = valid == 1;
    read.computable_ = read.velocity_ > 0.0f;
    *this = read;
    return {};
}

}  // namespace korvanta
