#include "sim/acoustics/PipeMaterials.h"

#include "sim/acoustics/AcousticSection.h"

#include <array>

namespace korvanta::sim {

namespace {

// Young's moduli as the project's material tables use them (short-term, about 10 C). Plastic
// walls are lossy and buried plastic pipe loses a few dB per metre at a few hundred Hz, mostly
// into the soil; metal walls hardly damp at all, and joints and soil set the loss.
constexpr std::array<PipeMaterial, 11> kMaterials = {{
    {"pvc", 3.3, 0.03, 0.45, 1400.0},
    {"pe100", 1.4, 0.065, 0.5, 950.0},
    {"pe80", 1.0, 0.065, 0.5, 940.0},
    {"pe32", 0.3, 0.08, 0.6, 920.0},
    {"ductile-iron", 170.0, 0.005, 0.012, 7100.0},
    {"cast-iron", 100.0, 0.005, 0.012, 7200.0},
    {"steel", 210.0, 0.002, 0.01, 7850.0},
    {"copper", 117.0, 0.003, 0.01, 8900.0},
    {"lead", 16.0, 0.02, 0.03, 11300.0},
    {"asbestos-cement", 24.0, 0.01, 0.05, 2000.0},
    {"concrete", 30.0, 0.02, 0.05, 2400.0},
}};

}  // namespace

std::optional<PipeMaterial> FindPipeMaterial(std::string_view name)
{
    for (const PipeMaterial& material : kMaterials) {
        if (name == material.name) {
            return material;
        }
    }
    return std::nullopt;
}

void ApplyPipeMaterial(const PipeMaterial& material, AcousticSection& section)
{
    section.material = material.name;
    section.youngsModulusGPa = material.youngsModulusGPa;
    section.lossFactor = material.lossFactor;
    section.soilLossDbPerMetreAt100Hz = material.soilLossDbPerMetreAt100Hz;
    section.wallDensityKgPerM3 = material.densityKgPerM3;
}

std::string PipeMaterialNames()
{
    std::string names;
    for (const PipeMaterial& material : kMaterials) {
        names += names.empty() ? "" : ", ";
        names += material.name;
    }
    return names;
}

}  // namespace korvanta::sim
