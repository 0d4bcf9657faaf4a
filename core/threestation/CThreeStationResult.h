#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "core/threestation/ThreeStationPair.h"
#include "core/threestation/ThreeStationSetup.h"

namespace korvanta {

// The velocity of the pipe and the leak's place from the delays of the three pairs and the two
// distances the user entered, with no pipe model: the pair whose sensors both lie on one side
// of the leak sees the sound cross its whole span, so its |delay| / distance is the largest
// ratio and its inverse the velocity.
class CThreeStationResult {
public:
    // Leak segments.
    static constexpr int32_t kSegmentRedBlue = 0;
    static constexpr int32_t kSegmentBlueYellow = 1;
    static constexpr int32_t kSegmentAtBlue = 2;
    // A leak nearer than this to a sensor counts as lying at it.
    static constexpr float kAtSensor = 0.05f;
    // The stored image of the result.
    static constexpr size_t kBlockBytes = 112;

    CThreeStationResult();
    // The result a measurement on `setup` starts from: the pairs' distances and ranges and the
    // material's velocity bounds and mean, nothing measured yet.
    explicit CThreeStationResult(const ThreeStationSetup& setup);

    void SetPair(int index, const ThreeStationPair& pair);
    const ThreeStationPair& Pair(int index) const;
    // The three delays in seconds, red/blue, blue/yellow, red/yellow; also sets each ratio.
    void SetDelays(float redBlue, float blueYellow, float redYellow);
    void Compute();

    // False when the delays and distances give no finite velocity (all delays zero, a distance
    // of zero): then the velocity and the distances are 0 and the result is not valid.
    bool IsComputable() const { return computable_; }
    float Velocity() const { return velocity_; }
    bool IsValid() const { return valid_; }
    int32_t Segment() const { return segment_; }
    const PairDistances& RedYellow() const { return redYellow_; }
    const PairDistances& RedBlue() const { return redBlue_; }
    const PairDistances& BlueYellow() const { return blueYellow_; }

    void SetVelocityBounds(float lower, float upper);
    float LowerVelocityBound() const { return lowerBound_; }
    float UpperVelocityBound() const { return upperBound_; }
    void SetMeanVelocity(float mean) { mean_ = mean; }
    float MeanVelocity() const { return mean_; }

    // The note for the result chart (the string-table ID), 0 for none.
    uint32_t PlausibilityNote() const;

    // The 112-byte image; `reserved` fills its first word.
    std::array<uint8_t, kBlockBytes> ToBlock(uint32_t reserved = 0) const;
    // Reads an image; empty when it was taken, else what makes it one no measurement can have
    // (the result is then left as it was).
    std::string FromBlock(std::span<const uint8_t, kBlockBytes> block);

private:
    bool LeakInsideEverySpan(float velocity) const;

    std::array<ThreeStationPair, kThreeStationPairs> pairs_{};
    float velocity_ = 0.0f;
    bool valid_ = false;
    bool computable_ = false;
    int32_t segment_ = 0;
    PairDistances redYellow_;
    PairDistances redBlue_;
    PairDistances blueYellow_;
    float lowerBound_ = 0.0f;
    float upperBound_ = 0.0f;
    float mean_ = 0.0f;
    // The block's last bytes carry no value; what a file held there is written back as it was.
    std::array<uint8_t, 3> tail_{};
};

}  // namespace korvanta
