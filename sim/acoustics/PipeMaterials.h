#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta::sim {

struct AcousticSection;

// What a pipe material brings to the wave: the wall's short-term Young's modulus, its loss
// factor, its density, and the loss into the soil and at the joints typical of such pipes when buried.
struct PipeMaterial {
    const char* name;
    double youngsModulusGPa;
    double lossFactor;
    double soilLossDbPerMetreAt100Hz;
    double densityKgPerM3;
};

// The material of that name (pvc, pe100, pe80, pe32, ductile-iron, cast-iron, steel, copper,
// lead, asbestos-cement, concrete), or nothing.
std::optional<PipeMaterial> FindPipeMaterial(std::string_view name);

// A section of `material`: its name and what it brings to the wave (modulus, loss factor, soil
// loss, wall density), the geometry and length left as they are.
void ApplyPipeMaterial(const PipeMaterial& material, AcousticSection& section);

// The known names, comma separated, for messages.
std::string PipeMaterialNames();

}  // namespace korvanta::sim
