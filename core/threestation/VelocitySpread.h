#pragma once

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/Material.h"

namespace korvanta {

// The velocities of a velocity table that are set (empty entries are 0): the smallest, the
// largest and their mean; all 0 for a table without any.
struct VelocitySpread {
    float smallest = 0.0f;
    float largest = 0.0f;
    float mean = 0.0f;
};

VelocitySpread SpreadOf(const Material& material);
// Over every material in use; the mean is left 0 (no one material is meant).
VelocitySpread SpreadOfAll(const CMaterialDatabase& database);

}  // namespace korvanta
