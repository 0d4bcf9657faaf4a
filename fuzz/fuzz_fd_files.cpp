// Feeds arbitrary bytes to the parsers of filters.fd, PresetFilters.fd and mlist.fd and checks
// that no accepted line ever lands outside its material's slots.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/pipe/CPresetFilters.h"
#include "core/pipe/FdFileReader.h"
#include "core/pipe/Material.h"

using namespace korvanta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    for (FdLineFormat format : {FdLineFormat::FilterPair, FdLineFormat::VelocityPair}) {
        for (int slots : {kFilterClasses, CPresetFilters::kPresetsPerMaterial, kMaxVelocityEntries}) {
            for (const FdEntry& entry : FdFileReader(format, slots).Parse(text)) {
                if (entry.material < 0 || entry.material >= kMaxMaterials || entry.slot < 0 || entry.slot >= slots) {
                    std::abort();
                }
            }
        }
    }

    CPresetFilters presets;
    presets.LoadText(text);
    volatile bool any = false;
    for (int m = -1; m <= kMaxMaterials; ++m) {
        for (int k = -1; k <= CPresetFilters::kPresetsPerMaterial; ++k)
            any = any || presets.PresetExists(m, k);
    }
    return 0;
}
