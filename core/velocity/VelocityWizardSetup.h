#pragma once

#include <array>
#include <cstdint>

#include "core/pipe/Material.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

// What the velocity wizard starts from: the measured delay, the user's units, the sensor pair
// (for the first sensor's picture), the first pipe section and a private copy of the material
// database, which nothing outside the wizard sees until it is finished. Metres, millimetres and
// seconds.
struct VelocityWizardSetup {
    float delay = 0.0f;
    UnitSystem units = UnitSystem::Metric;
    TimeUnit time = TimeUnit::Seconds;
    uint32_t pairCode = 6;
    float length = 0.0f;
    float diameter = 0.0f;
    int materialIndex = -1;
    std::array<Material, kMaxMaterials> materials{};
};

}  // namespace korvanta
