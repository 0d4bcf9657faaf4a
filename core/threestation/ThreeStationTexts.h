#pragma once

#include <cstdint>
#include <string>

#include "core/values/UnitSystem.h"

namespace korvanta {

// The displayed pair's delay on the three-station form: "%0.2f" in the user's time unit.
std::string PairDelayText(float seconds, TimeUnit time);
// The displayed pair's correlation value: "%u:1".
std::string PairQualityText(uint16_t quality);

}  // namespace korvanta
