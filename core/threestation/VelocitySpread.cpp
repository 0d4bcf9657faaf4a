#include "core/threestation/VelocitySpread.h"

#include <algorithm>
#include <cmath>

namespace korvanta {

namespace {

bool IsSet(float velocity)
{
    return std::isfinite(velocity) && velocity > 0.0f;
}

// Widens `spread` by the set entries of one table; returns their sum and count for a mean.
void Widen(const Material& material, VelocitySpread& spread, bool& any, float& sum, int& count)
{
    for (float velocity : material.velocities) {
        if (!IsSet(velocity)) {
            continue;  // an empty entry, wherever it stands in the table
        }
        spread.smallest = any ? std::min(spread.smallest, velocity) : velocity;
        spread.largest = any ? std::max(spread.largest, velocity) : velocity;
        any = true;
        sum += velocity;
        ++count;
    }
}

}  // namespace

VelocitySpread SpreadOf(const Material& material)
{
    VelocitySpread spread;
    bool any = false;
    float sum = 0.0f;
    int count = 0;
    Widen(material, spread, any, sum, count);
    spread.mean = sum / static_cast<float>(std::max(count, 1));
    return spread;
}

VelocitySpread SpreadOfAll(const CMaterialDatabase& database)
{
    VelocitySpread spread;
    bool any = false;
    float sum = 0.0f;
    int count = 0;
    for (int i = 0; i < kMaxMaterials; ++i) {
        const Material* material = database.GetMaterial(i);
        if (material != nullptr && material->inUse == 1) {
            Widen(*material, spread, any, sum, count);
        }
    }
    return spread;
}

}  // namespace korvanta
