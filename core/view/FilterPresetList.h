#pragma once

#include <cstdint>
#include <vector>

#include "core/pipe/CPresetFilters.h"
#include "core/pipe/PipeSection.h"
#include "core/values/FilterSettings.h"

namespace korvanta {

class CKorvantaDoc;

// The drop-down list of filter presets under "Standard": its entries for the pipe on show and
// what choosing each one does to the document's filters.
class FilterPresetList {
public:
    enum class Action { NoFilter, UserFilter, Standard, Preset, Metallic, NonMetallic };

    struct Entry {
        uint32_t text = 0;  // string-table ID
        Action action = Action::NoFilter;
        int preset = 0;  // for Action::Preset: preset 0..9 of the pipe's material

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    static constexpr int kNoFilterIndex = 0;
    static constexpr int kUserIndex = 1;
    static constexpr int kStandardIndex = 2;  // only with sections

    // With sections: "Ikke", "Bruger", "Standard", then the letters of the presets of the pipe's
    // one material. Without: "Ikke", "Bruger", "Metallisk", "Ikke metallisk".
    void Fill(const PipeSections& pipe, const CPresetFilters& presets, const FilterSettings& filters);

    const std::vector<Entry>& Entries() const { return entries_; }
    // The entry selected after filling.
    int InitialSelection() const { return initialSelection_; }
    // Applies entry `index` to the document's filters; false for an index not in the list.
    bool Apply(int index, CKorvantaDoc& document) const;

private:
    std::vector<Entry> entries_;
    int initialSelection_ = kUserIndex;
};

}  // namespace korvanta
