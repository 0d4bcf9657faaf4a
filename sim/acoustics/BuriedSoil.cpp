#include "sim/acoustics/BuriedSoil.h"

#include <cmath>

namespace korvanta::sim {

double BuriedSoil::Stiffness(double outerRadiusMetres) const
{
    return 2.0 * densityKgPerM3 * shearSpeedMps * shearSpeedMps / outerRadiusMetres;
}

double BuriedSoil::RadiationResistance() const
{
    return densityKgPerM3 * shearSpeedMps;
}

std::complex<double> BuriedSoil::RadialImpedance(double omega, double outerRadiusMetres) const
{
    return {Stiffness(outerRadiusMetres) - omega * omega * massKgPerM2, omega * RadiationResistance()};
}

std::string BuriedSoil::Check() const
{
    if (!std::isfinite(densityKgPerM3) || densityKgPerM3 < 500.0 || densityKgPerM3 > 5000.0) {
        return "the soil's density must lie in 500..5000 kg/m3";
    }
    if (!std::isfinite(shearSpeedMps) || shearSpeedMps < 1.0 || shearSpeedMps > 3000.0) {
        return "the soil's shear wave speed must lie in 1..3000 m/s";
    }
    if (!std::isfinite(massKgPerM2) || massKgPerM2 < 0.0 || massKgPerM2 > 10000.0) {
        return "the soil's moving mass must lie in 0..10000 kg/m2";
    }
    return {};
}

}  // namespace korvanta::sim
