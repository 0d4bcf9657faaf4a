#include "core/threestation/ThreeStationTexts.h"

#include "core/pipe/UnitConversion.h"

namespace korvanta {

std::string PairDelayText(float seconds, TimeUnit time)
{
    return FormatNumber("%0.2f", DelayForDisplay(seconds, time));
}

std::string PairQualityText(uint16_t quality)
{
    return std::to_string(quality) + ":1";
}

}  // namespace korvanta
