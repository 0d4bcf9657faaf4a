#pragma once

#include <complex>
#include <optional>
#include <string>

namespace korvanta::sim {

enum class SensorType { Hydrophone, Accelerometer };

// A unit's sensor as the pipe's sound reaches it: where it sits, what it measures and how its
// fitting rings. A hydrophone follows the pressure (n = 0); an accelerometer on the pipe wall the
// wall's acceleration, the pressure's second time derivative (n = 2). The fitting adds a
// second-order resonance G(f) = 1 / (1 - (f/f0)^2 + i (f/f0) / Q).
struct SensorModel {
    double positionMetres = 0.0;
    SensorType type = SensorType::Accelerometer;
    double resonanceHz = 1800.0;
    double resonanceQ = 3.0;
    // The sensor's own noise, in dB relative to the leak noise as this sensor would pick it up
    // right at the leak.
    double noiseDb = -50.0;
    // The same in physical units, when known: Pa per root hertz for a hydrophone, m/s^2 per root
    // hertz for an accelerometer, white over the band. Replaces noiseDb.
    std::optional<double> selfNoisePerRootHz;
    // The low-frequency roll-off: a second-order high-pass at this corner (0: none).
    double lowCutHz = 0.0;
    // The unit's sampling clock runs this late against the others (its sound arrives later).
    double timingOffsetSeconds = 0.0;

    // (i f / 1 kHz)^n * G(f) * the roll-off: the response up to a constant gain, in the
    // e^{+i omega t} convention.
    std::complex<double> Response(double hz) const;

    // Empty when the sensor can be modelled, else what is wrong with it.
    std::string Check() const;
};

}  // namespace korvanta::sim
