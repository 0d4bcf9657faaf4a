#include "core/threestation/ThreeStationSetup.h"

#include <algorithm>

#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "core/threestation/VelocitySpread.h"

namespace korvanta {

namespace {

constexpr float kHighestCutoff = 1220.0f;

}  // namespace

void ThreeStationSetup::SetRedBlue(float metres)
{
    distances_[kPairRedBlue] = metres;
}

void ThreeStationSetup::SetBlueYellow(float metres)
{
    distances_[kPairBlueYellow] = metres;
    distances_[kPairRedYellow] = distances_[kPairRedBlue] + metres;
}

CutoffPair ThreeStationSetup::DefaultCutoffs(const CMaterialDatabase& database, int material) const
{
    if (material == kNoMaterial) {
        return {};
    }
    const float fastest = database.MaximumVelocity(material);
    const float slowest = database.MinimumVelocity(material);
    if (!(fastest > 0.0f) || !(slowest > 0.0f)) {
        return {};  // no such material
    }
    const CutoffPair quick = database.FilterForMaterial(material, RedYellow() / fastest);
    const CutoffPair slow = database.FilterForMaterial(material, RedYellow() / slowest);
    CutoffPair band;
    band.low = std::min(quick.low, slow.low);
    band.high = quick.high == 0.0f || slow.high == 0.0f ? 0.0f : std::max(quick.high, slow.high);
    return band;
}

uint32_t ThreeStationSetup::RangeForDistance(float metres, float slowestVelocity)
{
    if (metres < kRange0Factor * slowestVelocity) {
        return 0;
    }
    if (metres < kRange1Factor * slowestVelocity) {
        return 1;
    }
    return 2;
}

void ThreeStationSetup::Finish(const CMaterialDatabase& database, int material, CutoffPair cutoffs)
{
    cutoffs_ = cutoffs;
    VelocitySpread spread;
    if (material != kNoMaterial) {
        const Material* chosen = database.GetMaterial(material);
        if (chosen != nullptr) {
            spread = SpreadOf(*chosen);
        }
    } else {
        spread = SpreadOfAll(database);
    }
    for (size_t i = 0; i < ranges_.size(); ++i) {
        ranges_[i] = RangeForDistance(distances_[i], spread.smallest);
    }
    lowerBound_ = spread.smallest;
    upperBound_ = spread.largest;
    mean_ = material == kNoMaterial ? 0.0f : spread.mean;
}

std::array<ThreeStationPair, kThreeStationPairs> ThreeStationSetup::PairRecords() const
{
    std::array<ThreeStationPair, kThreeStationPairs> pairs{};
    for (size_t i = 0; i < pairs.size(); ++i) {
        pairs[i].index = static_cast<int32_t>(i);
        pairs[i].distance = distances_[i];
        pairs[i].range = static_cast<int32_t>(ranges_[i]);
    }
    return pairs;
}

std::string CutoffText(float hertz, const char* format)
{
    if (hertz >= kHighestCutoff) {
        return LoadString(str::kFilterHigh);
    }
    if (hertz == 0.0f) {
        return LoadString(str::kFilterOpen);
    }
    return FormatNumber(format, hertz);
}

}  // namespace korvanta
