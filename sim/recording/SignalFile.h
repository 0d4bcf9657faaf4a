#pragma once

#include <string>
#include <vector>

namespace korvanta::sim {

// One channel of a recorded signal: full scale is +-1.
struct SignalFile {
    std::vector<float> samples;
    double sampleRate = 0.0;  // Hz
    std::string warning;      // something odd that was put up with, e.g. a data chunk cut short
};

}  // namespace korvanta::sim
