#include "core/view/ResultTexts.h"

#include <cstdio>

#include "core/pipe/Pipe.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

std::string BlockCountText(uint32_t pairs)
{
    char text[24];
    std::snprintf(text, sizeof text, "%d:1", static_cast<int>(pairs));
    return text;
}

std::string MaterialText(const PipeSections& pipe, const CMaterialDatabase& materials)
{
    if (GetSectionCount(pipe) == 0) {
        return {};
    }
    if (HasMixedMaterials(pipe)) {
        return LoadString(str::kMixedMaterials);
    }
    const int material = GetSectionMaterial(pipe, 0);
    if (material < 0 || material >= kMaxMaterials) {
        return {};
    }
    return materials.MaterialName(material);
}

std::string ElapsedTimeText(int64_t seconds)
{
    if (seconds < 0) {
        seconds = 0;
    }
    const int hours = static_cast<int>((seconds / 3600) % 24);
    const int minutes = static_cast<int>((seconds / 60) % 60);
    const int secs = static_cast<int>(seconds % 60);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hours, minutes, secs);
    return text;
}

}  // namespace korvanta
