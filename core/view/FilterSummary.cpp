#include "core/view/FilterSummary.h"

#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

// The highest frequency of the spectrum grid: a cut-off there or above is as high as it goes.
constexpr float kTopFrequency = 1220.0f;

std::string CutoffText(float value)
{
    if (value >= kTopFrequency) {
        return LoadString(str::kFilterHigh);
    }
    if (value > 0.0f) {
        return FormatNumber("%.0f", value);
    }
    return LoadString(str::kFilterOpen);
}

}  // namespace

FilterSummary SummariseFilters(float lowCutoff, float highCutoff, bool automatic, int notchCount)
{
    FilterSummary summary;
    if (automatic) {
        summary.automatic = LoadString(str::kOn);
        summary.low = LoadString(str::kFilterAuto);
        summary.high = summary.low;
        summary.notch = LoadString(str::kOff);
        return summary;
    }
    summary.automatic = LoadString(str::kOff);
    summary.low = CutoffText(lowCutoff);
    summary.high = CutoffText(highCutoff);
    summary.notch = LoadString(notchCount > 0 ? str::kOn : str::kOff);
    return summary;
}

}  // namespace korvanta
