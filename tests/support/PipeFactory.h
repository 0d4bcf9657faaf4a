#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "core/pipe/PipeSection.h"

namespace korvanta::test {

// A section in use, in stored units.
inline PipeSection Section(int material, float length, float velocity, float diameter = 100.0f)
{
    PipeSection section;
    section.materialIndex = static_cast<int16_t>(material);
    section.length = length;
    section.diameter = diameter;
    section.velocity = velocity;
    section.inUse = 1;
    return section;
}

// A pipe of the given sections from the first slot on, the rest unused.
inline PipeSections Pipe(std::initializer_list<PipeSection> sections)
{
    PipeSections pipe{};
    size_t i = 0;
    for (const PipeSection& section : sections)
        pipe[i++] = section;
    return pipe;
}

}  // namespace korvanta::test
