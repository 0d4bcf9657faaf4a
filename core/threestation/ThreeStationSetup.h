#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/CutoffPair.h"
#include "core/threestation/ThreeStationPair.h"

namespace korvanta {

// What the three-station setup wizard gathers and derives: the distances red-blue and
// blue-yellow (red-yellow is their sum), a correlation range per pair that spans the sound's
// travel over the pair at the slowest velocity the chosen material may have, one default band,
// and the chosen material's velocity bounds and mean for judging the measured velocity.
class ThreeStationSetup {
public:
    // The material choice "Ingen filtre": no default band, bounds over every material.
    static constexpr int kNoMaterial = -1;
    // A pair's range is 0 below 0.7549749 × the slowest velocity in metres, 1 below 2.2649245 ×.
    static constexpr float kRange0Factor = 0.7549749f;
    static constexpr float kRange1Factor = 2.2649245f;

    void SetRedBlue(float metres);
    void SetBlueYellow(float metres);
    float RedBlue() const { return distances_[kPairRedBlue]; }
    float BlueYellow() const { return distances_[kPairBlueYellow]; }
    float RedYellow() const { return distances_[kPairRedYellow]; }

    // The default band of a material for the red-yellow span: the widest of its bands for the
    // travel times at its fastest and its slowest velocity; (0, 0) for kNoMaterial.
    CutoffPair DefaultCutoffs(const CMaterialDatabase& database, int material) const;

    // The wizard's Finish: keeps the band and derives ranges, bounds and mean for `material`.
    void Finish(const CMaterialDatabase& database, int material, CutoffPair cutoffs);

    static uint32_t RangeForDistance(float metres, float slowestVelocity);

    const std::array<uint32_t, kThreeStationPairs>& Ranges() const { return ranges_; }
    CutoffPair Cutoffs() const { return cutoffs_; }
    float LowerVelocityBound() const { return lowerBound_; }
    float UpperVelocityBound() const { return upperBound_; }
    float MeanVelocity() const { return mean_; }
    // The three pair records as the result starts with them: index, distance and range.
    std::array<ThreeStationPair, kThreeStationPairs> PairRecords() const;

private:
    std::array<float, kThreeStationPairs> distances_{};
    std::array<uint32_t, kThreeStationPairs> ranges_{};
    CutoffPair cutoffs_;
    float lowerBound_ = 0.0f;
    float upperBound_ = 0.0f;
    float mean_ = 0.0f;
};

// A cut-off as the wizard and the form show it: "Høj" from 1220 Hz, "Åben" for 0, else the
// number in `format` ("%0.2f" on the wizard, "%0.1f" on the form).
std::string CutoffText(float hertz, const char* format);

}  // namespace korvanta
