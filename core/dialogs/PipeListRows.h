#pragma once

#include <string>
#include <vector>

#include "core/pipe/Material.h"
#include "core/pipe/PipeSection.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

// One row of the pipe data dialog's list, every text in the user's units.
struct PipeRowTexts {
    int image = 0;  // the material's colour swatch
    std::string material;
    std::string length;
    std::string lengthUnit;
    std::string diameter;
    std::string diameterUnit;
    std::string velocity;
    std::string velocityUnit;
};

// The unit texts of the user's settings, from the string table ("m"/"ft", "mm"/"ins",
// "m/s", "m/ms", "ft/s", "ft/ms").
struct UnitTexts {
    std::string length;
    std::string diameter;
    std::string velocity;
};
UnitTexts UnitTextsFor(UnitSystem units, TimeUnit time);

// The name of material 0..19 of a 20-entry table as UTF-8, or "" for any other index (no message:
// a list row must not raise one box per row).
std::string MaterialNameOrEmpty(const Material* materials, int index);

// The rows of the list: slots from 0 up to the first that is not in use.
// Length "%0.2f" m or "%0.1f" ft; diameter "%0.0f" mm or "%0.1f" ins; velocity "%0.0f" per
// second or "%0.2f" per millisecond.
std::vector<PipeRowTexts> PipeListRows(const PipeSections& pipe, const Material* materials, UnitSystem units,
                                       TimeUnit time);

}  // namespace korvanta
