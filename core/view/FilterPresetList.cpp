#include "core/view/FilterPresetList.h"

#include "core/document/CKorvantaDoc.h"
#include "core/pipe/Pipe.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

constexpr float kMetallicLowCutoff = 350.0f;
constexpr float kNonMetallicLowCutoff = 20.0f;

}  // namespace

void FilterPresetList::Fill(const PipeSections& pipe, const CPresetFilters& presets, const FilterSettings& filters)
{
    entries_ = {{str::kPresetNone, Action::NoFilter, 0}, {str::kPresetUser, Action::UserFilter, 0}};
    if (GetSectionCount(pipe) == 0) {
        entries_.push_back({str::kPresetMetallic, Action::Metallic, 0});
        entries_.push_back({str::kPresetNonMetallic, Action::NonMetallic, 0});
        const bool userFilter = filters.lowCutoff > 0.0f || filters.highCutoff > 0.0f || filters.automatic != 0;
        initialSelection_ = userFilter ? kUserIndex : kNoFilterIndex;
        return;
    }
    entries_.push_back({str::kPresetStandard, Action::Standard, 0});
    if (!HasMixedMaterials(pipe)) {
        const int material = GetSectionMaterial(pipe, 0);
        for (int k = 0; k < CPresetFilters::kPresetsPerMaterial && presets.PresetExists(material, k); ++k) {
            entries_.push_back({str::kPresetLetterFirst + static_cast<uint32_t>(k), Action::Preset, k});
        }
    }
    initialSelection_ = kUserIndex;
}

bool FilterPresetList::Apply(int index, CKorvantaDoc& document) const
{
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        return false;
    }
    const Entry& entry = entries_[static_cast<size_t>(index)];
    switch (entry.action) {
    case Action::NoFilter:
        document.Edit().SetFilters(0.0f, 0.0f);
        break;
    case Action::UserFilter:
        document.Edit().RestoreSavedFilters();
        break;
    case Action::Standard:
        document.Edit().SetFiltersFromMaterials();
        break;
    case Action::Preset:
        document.Edit().ApplyPreset(entry.preset);
        break;
    case Action::Metallic:
        document.Edit().SetFilters(kMetallicLowCutoff, 0.0f);
        break;
    case Action::NonMetallic:
        document.Edit().SetFilters(kNonMetallicLowCutoff, 0.0f);
        break;
    }
    return true;
}

}  // namespace korvanta
