#include "cli/OptionLimits.h"

#include <cstdio>

#include "core/document/KvdFile.h"

namespace korvanta::cli {

uint32_t PairCodeOption(const CommandLine& options, uint32_t fallback)
{
    const auto code = static_cast<uint32_t>(options.Integer("pair", fallback, 0, 15));
    if (!IsValidPairCode(code)) {
        throw UsageError("--pair must be one of 3, 5, 6, 9, 10, 12");
    }
    return code;
}

float FrequencyOption(const std::string& text, const std::string& what)
{
    return static_cast<float>(ParseNumber(text, what, 0.0, kMaxFilterHz));
}

void CheckBand(float low, float high, const std::string& what)
{
    if (low > 0.0f && high > 0.0f && !(low < high)) {
        char text[96];
        std::snprintf(text, sizeof text, ": the lower edge %g Hz must lie below the upper %g Hz", low, high);
        throw UsageError(what + text);
    }
}

}  // namespace korvanta::cli
