#pragma once

#include <complex>
#include <string>

namespace korvanta::sim {

// The soil round a buried pipe as the pipe wall feels it when the water-borne wave swells it: a
// spring (the soil's shear stiffness round a cylindrical hole, 2 G / b with G = rho_s c_s^2 and b
// the pipe's outer radius), a mass of soil that moves with the wall, and a dashpot rho_s c_s for
// the shear waves the wall sends out into the soil (the wave in the pipe outruns them). All per
// square metre of wall: the radial pressure on the wall per metre it moves out, at omega.
struct BuriedSoil {
    double densityKgPerM3 = 1900.0;
    double shearSpeedMps = 110.0;
    double massKgPerM2 = 120.0;

    double Stiffness(double outerRadiusMetres) const;
    double RadiationResistance() const;
    // K - omega^2 M + i omega R, in the e^{+i omega t} convention.
    std::complex<double> RadialImpedance(double omega, double outerRadiusMetres) const;

    // Empty when the soil can be modelled, else what is wrong with it.
    std::string Check() const;
};

}  // namespace korvanta::sim
