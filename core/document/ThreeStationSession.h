#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/document/DocumentGeometry.h"
#include "core/document/MeasurementSession.h"
#include "core/document/ThreeStationMeasurement.h"
#include "core/document/TwoStationMeasurement.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// The three-station mode's measurement flow over the link: set-up, start, every block with the
// restart of all three pairs after a chain, and the stop. It shares the document's session with
// the two-station flow, so only one of them measures at a time. User-interface thread only.
class ThreeStationSession {
public:
    using Notify = std::function<void(uint32_t hint)>;
    using Spectra = std::array<std::array<int32_t, kSpectrumBufferEntries>, 3>;

    ThreeStationSession(ThreeStationMeasurement& three, TwoStationMeasurement& two, Spectra& spectra, CLinkState& link,
                        MeasurementSession& session, Notify notify);

    // A fresh set-up: everything measured before is cleared.
    void Setup(const std::array<uint32_t, ThreeStationMeasurement::kPairs>& ranges, float low, float high);
    // Refused while a measurement runs or the stations are being started. On success the
    // engines are reset and the first block is asked for.
    bool Start();
    // A stop while the stations are being started ends that wait; otherwise the sums go into the
    // records and the comms thread is told.
    void Stop();
    // Takes the block waiting in the link, feeds its pairs, re-synchronises the stations after a
    // chain and asks for the next block, telling the views in order. A station whose blocks come
    // twice in a row without a spectrum ends the measurement as a failed re-synchronisation does
    // (hint 101, no further block asked for): without it no pair but one can be measured.
    void OnBlockReady();
    // Empties the three records, traces and the spectra.
    void Clear();

private:
    // The block's work; the hints for the views, in order.
    std::vector<uint32_t> TakeBlock();

    ThreeStationMeasurement& three_;
    TwoStationMeasurement& two_;
    Spectra& spectra_;
    CLinkState& link_;
    MeasurementSession& session_;
    Notify notify_;
};

}  // namespace korvanta
