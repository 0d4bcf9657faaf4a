#include "core/pipe/Pipe.h"

#include <cmath>

namespace korvanta {

namespace {

bool ValidIndex(int index)
{
    return index >= 0 && index < kMaxPipeSections;
}

}  // namespace

int GetSectionCount(const PipeSections& pipe)
{
    int count = 0;
    for (const PipeSection& section : pipe) {
        if (section.inUse == 1)
            ++count;
    }
    return count;
}

float GetTotalLength(const PipeSections& pipe)
{
    const int count = GetSectionCount(pipe);
    float total = 0.0f;
    for (int i = 0; i < count; ++i)
        total += pipe[static_cast<size_t>(i)].length;
    return total;
}

float GetTravelTime(const PipeSections& pipe)
{
    const int count = GetSectionCount(pipe);
    float total = 0.0f;
    for (int i = 0; i < count; ++i) {
        const PipeSection& section = pipe[static_cast<size_t>(i)];
        if (!(section.velocity > 0.0f))
            continue;
        const float time = section.length / section.velocity;
        if (std::isfinite(time))
            total += time;
    }
    return total;
}

bool HasMixedMaterials(const PipeSections& pipe)
{
    const int count = GetSectionCount(pipe);
    for (int i = 1; i < count; ++i) {
        if (pipe[static_cast<size_t>(i)].materialIndex != pipe[0].materialIndex)
            return true;
    }
    return false;
}

int GetSectionMaterial(const PipeSections& pipe, int index)
{
    return ValidIndex(index) ? pipe[static_cast<size_t>(index)].materialIndex : 0;
}

float GetSectionLength(const PipeSections& pipe, int index)
{
    return ValidIndex(index) ? pipe[static_cast<size_t>(index)].length : 0.0f;
}

bool SelectRange(const PipeSections& pipe, uint32_t& range)
{
    if (GetSectionCount(pipe) == 0)
        return false;
    const float span = GetTravelTime(pipe) * kTravelTimeMargin;
    if (span < kRangeLimit0) {
        range = 0;
    } else if (span < kRangeLimit1) {
        range = 1;
    } else if (span < kRangeLimit2) {
        range = 2;
    } else {
        return false;
    }
    return true;
}

}  // namespace korvanta
