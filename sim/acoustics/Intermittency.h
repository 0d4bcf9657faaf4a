#pragma once

#include <cstdint>
#include <string>

namespace korvanta::sim {

// A noise that comes and goes: time runs in slots of periodSeconds, each slot on with the
// probability onShare (drawn from the noise's key and the slot, so it repeats for a seed) and
// otherwise down at offLevelDb. Between slots of different level the gain moves along a raised
// cosine over a tenth of the period (at most half a second), so nothing clicks. A period of 0
// keeps the noise on.
struct Intermittency {
    double periodSeconds = 0.0;
    double onShare = 1.0;
    double offLevelDb = -100.0;

    bool Steady() const { return periodSeconds <= 0.0; }
    // The amplitude factor at a tick of the sampling clock.
    double Gain(uint64_t key, int64_t tick) const;

    // Empty when it can be modelled, else what is wrong with it.
    std::string Check() const;
};

}  // namespace korvanta::sim
