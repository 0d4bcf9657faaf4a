#include "sim/scenario/CrewVelocity.h"

#include <array>
#include <utility>

#include "core/pipe/CMaterialDatabase.h"
#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

std::optional<int16_t> ProgramMaterialIndex(std::string_view material)
{
    static constexpr std::array<std::pair<std::string_view, int16_t>, 11> kIndices = {{{"asbestos-cement", 0},
                                                                                       {"copper", 1},
                                                                                       {"ductile-iron", 2},
                                                                                       {"pe100", 3},
                                                                                       {"cast-iron", 4},
                                                                                       {"pe32", 5},
                                                                                       {"lead", 6},
                                                                                       {"pe80", 7},
                                                                                       {"pvc", 8},
                                                                                       {"concrete", 9},
                                                                                       {"steel", 10}}};
    for (const auto& [name, index] : kIndices) {
        if (name == material) {
            return index;
        }
    }
    return std::nullopt;
}

double EnteredVelocity(const Scenario& scenario, size_t section, const CMaterialDatabase& materials)
{
    const AcousticSection& s = scenario.scene.pipe.Sections()[section];
    const double trueSpeed = s.WaveSpeed(scenario.scene.pipe.WaterProperties());
    const CrewVelocity crew =
        section < scenario.crewVelocities.size() ? scenario.crewVelocities[section] : CrewVelocity{};
    if (crew.metresPerSecond) {
        return *crew.metresPerSecond;
    }
    if (crew.errorPercent) {
        return trueSpeed * (1.0 + *crew.errorPercent / 100.0);
    }
    const std::optional<int16_t> index = ProgramMaterialIndex(s.material);
    const double proposed =
        index ? materials.GetVelocityForDiameter(*index, static_cast<float>(s.innerDiameterMm)) : 0.0f;
    return proposed > 0.0 ? proposed : trueSpeed;
}

}  // namespace korvanta::sim
