#pragma once

#include <cstdint>

#include "core/values/ComplexF.h"

namespace korvanta {

// The three latest block spectra of one station of the pair, used in rotation, and the station's
// spectrum in the quietest block pair.
struct StationRing {
    static constexpr int kSlots = 3;
    static constexpr int32_t kNoBlock = 0xFFFF;

    ComplexF slots[kSlots][kSpectrumBins];
    ComplexF quietest[kSpectrumBins];
    double slotPower[kSlots];
    // False for a slot that holds the place of a block without a usable spectrum (the unit
    // reported no sensor or no answer, or the values were not finite); such a slot is all zero.
    bool slotUsable[kSlots];
    int32_t slotIndex;
    int32_t lastBlockNumber;
};

}  // namespace korvanta
