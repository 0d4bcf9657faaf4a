#pragma once

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/CPresetFilters.h"
#include "core/pipe/PipeSection.h"
#include "core/values/FilterSettings.h"

namespace korvanta {

// Proposes the cut-offs from the default bands of the pipe's materials for its travel time: the
// lowest low cut-off and the highest high cut-off of all sections, where a material without a
// high cut-off (0) removes it. A pipe without sections gets 0 and 0. Notches and the automatic
// flag stay as they are.
void SetFiltersFromMaterials(const PipeSections& pipe, const CMaterialDatabase& database, FilterSettings& filters);

// Sets preset k of the pipe's material as the cut-offs, only when the pipe has sections of one
// material; notches and the automatic flag stay. Returns whether anything was set.
bool ApplyPreset(const PipeSections& pipe, const CPresetFilters& presets, int k, FilterSettings& filters);

// Clears the whole filter block (cut-offs, notches, automatic flag), then sets the cut-offs.
void SetFilters(FilterSettings& filters, float low, float high);

}  // namespace korvanta
