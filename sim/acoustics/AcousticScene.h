#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/acoustics/AcousticPipe.h"
#include "sim/acoustics/SensorModel.h"
#include "sim/acoustics/SourceBand.h"

namespace korvanta::sim {

// A leak: a broadband noise source on the pipe. Its level is in dB relative to the reference leak
// that the sensors' own noise is measured against (the first leak at 0 dB).
struct LeakSource {
    double positionMetres = 0.0;
    double levelDb = 0.0;
    SourceBand band;
};

// Mains hum picked up by every sensor's cable: the mains frequency and its harmonics, locked to
// the grid and so coherent between the stations, each station with its own phases. Levels in dB
// relative to the leak noise as the sensor would pick it up right at the leak.
struct HumDisturbance {
    bool on = false;
    double frequencyHz = 50.0;
    double levelDb = -20.0;                                              // the fundamental
    std::vector<double> harmonicsDb = {0.0, -12.0, -6.0, -18.0, -10.0};  // 1st, 2nd, ... relative
};

// Traffic rumble: one low-frequency noise that every sensor hears at the same moment, with no
// delay between them. Level in dB relative to the reference leak.
struct TrafficDisturbance {
    bool on = false;
    double levelDb = 0.0;
    SourceBand band{2.0, 40.0};
};

// A tee or valve: the wave is partly reflected there (pressure coefficient r) and passes on
// with 1 + r. A branch of the same bore reflects about -1/3.
struct Reflector {
    double positionMetres = 0.0;
    double coefficient = -1.0 / 3.0;
};

inline constexpr int kSceneUnits = 4;  // the interface unit's own sensor, red, blue, yellow

// Everything the sensors hear: the pipe, where the sensors sit, the leaks and the disturbances.
struct AcousticScene {
    AcousticPipe pipe;
    std::array<SensorModel, kSceneUnits> sensors;
    std::vector<LeakSource> leaks;  // at least one
    HumDisturbance hum;
    TrafficDisturbance traffic;
    std::vector<Reflector> reflectors;
    uint64_t seed = 1;

    static constexpr int kMaxLeaks = 4;
    static constexpr int kMaxReflectors = 8;
    static constexpr int kMaxHarmonics = 20;

    // Empty when the scene can be modelled, else what is wrong with it.
    std::string Check() const;
};

}  // namespace korvanta::sim
