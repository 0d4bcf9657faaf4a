#include "core/view/PipeLayoutStrip.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/pipe/Pipe.h"

namespace korvanta {

namespace {

constexpr std::array<Rgb, 20> kMaterialColours = {{
    {187, 0, 0},   {0, 136, 0},     {0, 0, 153},    {255, 0, 0},     {204, 102, 0}, {204, 255, 255}, {51, 51, 51},
    {255, 153, 0}, {255, 255, 51},  {0, 102, 255},  {255, 255, 255}, {153, 102, 0}, {51, 102, 0},    {0, 102, 153},
    {204, 204, 0}, {102, 255, 255}, {102, 51, 153}, {255, 102, 255}, {0, 200, 0},   {255, 51, 153},
}};

constexpr Rgb kUnknownMaterial = {200, 200, 200};

// Pixels of one section: its length times the scale, truncated, never negative or beyond the
// strip (a damaged length must not make the conversion undefined).
int SectionPixels(float length, float scale, int layoutWidth)
{
    const float pixels = length * scale;
    if (!(pixels > 0.0f)) {
        return 0;
    }
    return static_cast<int>(std::min(pixels, static_cast<float>(layoutWidth)));
}

}  // namespace

Rgb MaterialColour(int materialIndex)
{
    if (materialIndex < 0 || materialIndex >= static_cast<int>(kMaterialColours.size())) {
        return kUnknownMaterial;
    }
    return kMaterialColours[static_cast<size_t>(materialIndex)];
}

std::vector<StripBand> LayOutPipeStrip(const PipeSections& pipe, int layoutWidth)
{
    std::vector<StripBand> bands;
    const int count = GetSectionCount(pipe);
    if (count == 0 || layoutWidth <= 0) {
        return bands;
    }
    const float scale = static_cast<float>(layoutWidth) / std::max(GetTotalLength(pipe), 0.01f);
    int x = 0;
    for (int i = 0; i < count; ++i) {
        const int width = std::min(SectionPixels(pipe[i].length, scale, layoutWidth), layoutWidth - x);
        bands.push_back({x, width, MaterialColour(pipe[i].materialIndex)});
        x += width;
    }
    if (x < layoutWidth) {
        bands.push_back({x, layoutWidth - x, MaterialColour(pipe[count - 1].materialIndex)});
    }
    return bands;
}

}  // namespace korvanta
