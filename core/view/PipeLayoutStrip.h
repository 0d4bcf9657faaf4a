#pragma once

#include <vector>

#include "core/pipe/PipeSection.h"
#include "core/view/Rgb.h"

namespace korvanta {

// The colour a material index is drawn with in the pipe strip; indices outside the material
// database get a neutral grey.
Rgb MaterialColour(int materialIndex);

// One stretch of the pipe strip: from `x` over `width` pixels in the colour of a material.
struct StripBand {
    int x = 0;
    int width = 0;
    Rgb colour;

    friend bool operator==(const StripBand&, const StripBand&) = default;
};

// The strip of `layoutWidth` pixels drawn for the pipe: each section as wide as its share of the
// total length (truncated), and whatever the truncation leaves at the right end in the last
// section's colour. Empty without sections. A total length below 0.01 m scales as 0.01 m.
std::vector<StripBand> LayOutPipeStrip(const PipeSections& pipe, int layoutWidth);

}  // namespace korvanta
