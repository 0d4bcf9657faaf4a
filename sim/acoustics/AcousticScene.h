#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/acoustics/AcousticPipe.h"
#include "sim/acoustics/Intermittency.h"
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

// Traffic rumble: a low-frequency noise that every sensor hears at the same moment, with no
// delay between them. Level in dB relative to the reference leak. It comes through the ground
// from a road crossing the pipe at positionMetres; with a coherence length L a sensor d metres
// from the crossing shares exp(-d / L) of its traffic power with the others and hears the rest
// on its own, so the magnitude-squared coherence between two sensors is
// exp(-(d_i + d_j) / L). Without a length the traffic is one and the same at every sensor.
struct TrafficDisturbance {
    bool on = false;
    double levelDb = 0.0;
    SourceBand band{2.0, 40.0};
    std::optional<double> positionMetres;  // the road; the middle between red and blue if unset
    std::optional<double> coherenceLengthMetres;

    // The share of a sensor's traffic power common to all sensors.
    double CoherentShare(double sensorMetres, double roadMetres) const;
};

// A noise source on the pipe that is not a leak: water drawn at a house connection (comes and
// goes), a pump, a pressure-reducing valve. It travels the pipe like a leak's sound; outside the
// sensors it correlates near the ends of the range. Level relative to the reference leak.
enum class PipeNoiseKind { WaterUse, Pump, PressureValve };

struct PipeNoise {
    PipeNoiseKind kind = PipeNoiseKind::WaterUse;
    double positionMetres = 0.0;
    double levelDb = 0.0;
    SourceBand band;
    Intermittency gating;

    // The usual band, level and gating of a kind: water use 100..1000 Hz at -6 dB, on a third
    // of 20 s slots; a pump 20..400 Hz at -3 dB, steady; a valve 200..1500 Hz at 0 dB, steady.
    static PipeNoise Typical(PipeNoiseKind kind);
};

// Background noise at each sensor, its own and unlike any other's: ground and street noise that
// rises towards low frequencies by slopeDbPerOctave (negative: rising) and may come and go.
// Level in dB relative to the reference leak, for the whole band.
struct BackgroundNoise {
    bool on = false;
    double levelDb = -30.0;
    double slopeDbPerOctave = -6.0;
    SourceBand band{2.0, 1500.0};
    Intermittency gating;

    // The band with the slope, relative to 100 Hz.
    double Shape(double hz) const;
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
    std::vector<PipeNoise> pipeNoises;
    BackgroundNoise background;
    // The rms pressure of the 0 dB leak at the leak over its band: the scale that turns sensors'
    // self-noise in physical units into the converter's.
    double referencePressurePa = 1.0;
    uint64_t seed = 1;

    static constexpr int kMaxPipeNoises = 8;
    static constexpr int kMaxLeaks = 4;
    static constexpr int kMaxReflectors = 8;
    static constexpr int kMaxHarmonics = 20;

    // Empty when the scene can be modelled, else what is wrong with it.
    std::string Check() const;
};

}  // namespace korvanta::sim
