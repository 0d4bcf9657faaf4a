#pragma once

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
    // The nepers lost along the legs per hertz: every loss of the model grows in proportion to
    // frequency, so Amplitude(hz) = gain * exp(-hz * LossPerHz()).
    double LossPerHz(const AcousticPipe& pipe) const;
};

// The direct path and one first-order reflection from every reflector that has the source and
// the sensor on the same side. A reflector passed on the way lets 1 + r through; one exactly at
// the source or the sensor is not passed.
std::vector<SoundPath> PathsBetween(const AcousticPipe& pipe, const std::vector<Reflector>& reflectors,
                                    double sourceMetres, double sensorMetres);

}  // namespace korvanta::sim
