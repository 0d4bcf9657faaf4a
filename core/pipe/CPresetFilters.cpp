#include "core/pipe/CPresetFilters.h"

#include <optional>
#include <string>

#include "core/pipe/FdFileReader.h"
#include "core/text/StringIds.h"

namespace korvanta {

bool CPresetFilters::Load(const std::filesystem::path& folder, IMessageSink& messages)
{
    Clear();
    const std::optional<std::string> text = FdFileReader::ReadFile(folder / kFileName);
    if (!text) {
        messages.ShowMessage(str::kPresetFiltersMissing, kStyleStop);
        return false;
    }
    LoadText(*text);
    return true;
}

void CPresetFilters::LoadText(std::string_view text)
{
    Clear();
    for (const FdEntry& entry : FdFileReader(FdLineFormat::FilterPair, kPresetsPerMaterial).Parse(text)) {
        table_[static_cast<size_t>(entry.material)][static_cast<size_t>(entry.slot)] =
            CutoffPair{entry.first, entry.second};
    }
}

void CPresetFilters::Clear()
{
    table_ = {};
}

CutoffPair CPresetFilters::Preset(int material, int k) const
{
    if (material < 0 || material >= kMaxMaterials || k < 0 || k >= kPresetsPerMaterial)
        return {};
    return table_[static_cast<size_t>(material)][static_cast<size_t>(k)];
}

bool CPresetFilters::PresetExists(int material, int k) const
{
    const CutoffPair preset = Preset(material, k);
    return preset.low > 0.0f || preset.high > 0.0f;
}

}  // namespace korvanta
