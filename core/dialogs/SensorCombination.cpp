#include "core/dialogs/SensorCombination.h"

#include <array>

namespace korvanta {

namespace {

constexpr std::array<uint32_t, SensorCombination::kChoices> kPairCodes = {6, 10, 12, 3, 5, 9};
constexpr uint32_t kDefaultPairCode = 6;

}  // namespace

int SensorCombination::IndexOfPairCode(uint32_t pairCode)
{
    for (int i = 0; i < kChoices; ++i) {
        if (kPairCodes[static_cast<size_t>(i)] == pairCode)
            return i;
    }
    return 0;
}

uint32_t SensorCombination::PairCodeOfIndex(int index)
{
    if (index < 0 || index >= kChoices)
        return kDefaultPairCode;
    return kPairCodes[static_cast<size_t>(index)];
}

StationPair SensorCombination::StationsOfIndex(int index)
{
    return PipeEndStations(PairCodeOfIndex(index));
}

}  // namespace korvanta
