#pragma once

#include <complex>
#include <utility>
#include <vector>

#include "sim/acoustics/AcousticPipe.h"
#include "sim/acoustics/AcousticScene.h"

namespace korvanta::sim {

// One way the sound of a source reaches a sensor: along the pipe straight, or by way of a
// reflector. `legs` are the stretches it travels, `gain` what reflectors on the way leave of it.
struct SoundPath {
    double delaySeconds = 0.0;
    double gain = 1.0;
    std::vector<std::pair<double, double>> legs;

    // The amplitude left at `hz` after the pipe's losses along the legs (gain included).
    double Amplitude(const AcousticPipe& pipe, double hz) const;
    // What the legs do to the wave at `hz` beyond the plain delay of delaySeconds (gain included):
    // gain * exp(-i sum k d) * exp(+i omega delay). Without dispersion only the loss is left.
    std::complex<double> Response(const AcousticPipe& pipe, double hz) const;
};

// The direct path and one first-order reflection from every reflector that has the source and
// the sensor on the same side. A reflector passed on the way lets 1 + r through; one exactly at
// the source or the sensor is not passed.
std::vector<SoundPath> PathsBetween(const AcousticPipe& pipe, const std::vector<Reflector>& reflectors,
                                    double sourceMetres, double sensorMetres);

}  // namespace korvanta::sim
