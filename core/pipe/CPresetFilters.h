#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "core/host/IMessageSink.h"
#include "core/pipe/CutoffPair.h"
#include "core/pipe/Material.h"

namespace korvanta {

// Up to ten named filter bands per material, read from PresetFilters.fd. A preset exists when
// its low or high cut-off is above 0; everything is zero until a file has been read.
class CPresetFilters {
public:
    static constexpr int kPresetsPerMaterial = 10;
    static constexpr const char* kFileName = "PresetFilters.fd";

    // Reads PresetFilters.fd from `folder`. When it cannot be opened, shows the stop message
    // and leaves the table empty.
    bool Load(const std::filesystem::path& folder, IMessageSink& messages);
    // Replaces the table by the presets of an .fd text.
    void LoadText(std::string_view text);
    void Clear();

    // Preset k (0..9) of material 0..19; (0, 0) for anything else.
    CutoffPair Preset(int material, int k) const;
    bool PresetExists(int material, int k) const;

private:
    std::array<std::array<CutoffPair, kPresetsPerMaterial>, kMaxMaterials> table_{};
};

}  // namespace korvanta
