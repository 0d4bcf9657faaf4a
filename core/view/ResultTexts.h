#pragma once

#include <cstdint>
#include <string>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/PipeSection.h"

namespace korvanta {

// "%d:1": the number of block pairs accumulated.
std::string BlockCountText(uint32_t pairs);

// The pipe's material: empty without sections, "Blandet" for mixed materials, else the name of
// section 0's material.
std::string MaterialText(const PipeSections& pipe, const CMaterialDatabase& materials);

// A span of seconds as "HH:MM:SS", the hours taken modulo 24 as a clock shows them.
std::string ElapsedTimeText(int64_t seconds);

}  // namespace korvanta
