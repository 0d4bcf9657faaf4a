#include "core/pipe/FilterProposal.h"

#include "core/pipe/Pipe.h"

namespace korvanta {

void SetFiltersFromMaterials(const PipeSections& pipe, const CMaterialDatabase& database, FilterSettings& filters)
{
    float low = 0.0f;
    float high = 0.0f;
    const int count = GetSectionCount(pipe);
    if (count > 0) {
        const float travelTime = GetTravelTime(pipe);
        const CutoffPair first = database.FilterForMaterial(pipe[0].materialIndex, travelTime);
        low = first.low;
        high = first.high;
        for (int i = 1; i < count; ++i) {
            const CutoffPair band = database.FilterForMaterial(pipe[static_cast<size_t>(i)].materialIndex, travelTime);
            if (band.low < low)
                low = band.low;
            if (high != 0.0f) {
                if (band.high == 0.0f) {
                    high = 0.0f;
                } else if (band.high > high) {
                    high = band.high;
                }
            }
        }
    }
    filters.lowCutoff = low;
    filters.highCutoff = high;
}

bool ApplyPreset(const PipeSections& pipe, const CPresetFilters& presets, int k, FilterSettings& filters)
{
    if (GetSectionCount(pipe) == 0 || HasMixedMaterials(pipe))
        return false;
    const CutoffPair preset = presets.Preset(pipe[0].materialIndex, k);
    filters.lowCutoff = preset.low;
    filters.highCutoff = preset.high;
    return true;
}

void SetFilters(FilterSettings& filters, float low, float high)
{
    filters = FilterSettings{};
    filters.lowCutoff = low;
    filters.highCutoff = high;
}

}  // namespace korvanta
