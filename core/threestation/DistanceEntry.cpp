#include "core/threestation/DistanceEntry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

std::optional<float> ParseDistanceEntry(std::string_view text, UnitSystem units)
{
    if (text.size() > kDistanceEntryLength) {
        return std::nullopt;
    }
    int points = 0;
    for (char c : text) {
        if (c == '.') {
            ++points;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    if (points > 1) {
        return std::nullopt;
    }
    const std::string copy(text);
    const float typed = copy.empty() ? 0.0f : static_cast<float>(std::strtod(copy.c_str(), nullptr));
    const float metres = LengthToMetres(typed, units);
    if (!(metres >= kMinimumSensorDistance && metres <= kMaximumSensorDistance)) {
        return std::nullopt;
    }
    return metres;
}

std::string DistanceRangeMessage(UnitSystem units)
{
    double lower = kMinimumSensorDistance;
    double upper = kMaximumSensorDistance;
    if (units == UnitSystem::Imperial) {
        lower = std::ceil(lower * kMetresToFeet);
        upper = std::floor(upper * kMetresToFeet);
    }
    const char* pattern = LoadString(str::kDataOutOfRange);
    const int needed = std::snprintf(nullptr, 0, pattern, lower, upper);
    std::string message(static_cast<size_t>(std::max(needed, 0)), '\0');
    std::snprintf(message.data(), message.size() + 1, pattern, lower, upper);
    return message;
}

}  // namespace korvanta
