#pragma once

#include <array>
#include <cstdint>

#include "core/link/CLinkState.h"

namespace korvanta {

// Watches the blocks of a measurement for a station that has gone: one block without a spectrum
// can be a lost radio reply or a loose plug, two in a row from the same unit mean the outstation
// no longer answers or its sensor came off. Shared by the two- and three-station flows.
class LostStationWatch {
public:
    // Forgets every count: a new measurement starts.
    void Reset() { emptyBlocks_.fill(0); }
    // Counts `block`; the reason to end (a string-table ID naming the unit and the cause) when it
    // is the second in a row without a spectrum from its unit, otherwise 0.
    uint32_t Note(const DataBlockRecord& block);

private:
    std::array<uint8_t, CLinkState::kUnits> emptyBlocks_{};  // consecutive blocks of a unit without a spectrum
};

}  // namespace korvanta
