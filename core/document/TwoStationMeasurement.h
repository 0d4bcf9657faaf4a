#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "core/correlation/CCorrelator.h"
#include "core/document/ActiveMeasurement.h"
#include "core/document/DocumentGeometry.h"
#include "core/document/LostStationWatch.h"
#include "core/document/MeasurementSession.h"
#include "core/link/CLinkState.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta {

// The two-station measurement's data flow: its engine and trace, the start, every block with
// the re-synchronisation after each chain of pairs, and the stop. Its record is the document's
// own. User-interface thread only.
class TwoStationMeasurement final : public ActiveMeasurement {
public:
    // Tells the views what changed (a hint number).
    using Notify = std::function<void(uint32_t hint)>;

    // The engine works on `record` and draws its spectra into the two buffers.
    TwoStationMeasurement(MeasurementRecord& record, std::span<int32_t> spectrumA, std::span<int32_t> spectrumB,
                          CLinkState& link, MeasurementSession& session, Notify notify);

    // Has the stations start sampling; on success resets the engine and asks for the first block.
    bool Start();
    // Stores the sums into the record and tells the comms thread.
    void Stop();
    // A block from the comms thread. A unit whose blocks come twice in a row without a spectrum
    // (the outstation stopped answering, or its sensor came off) ends the measurement as a failed
    // re-synchronisation does: hint 101 and no further block is asked for.
    void OnBlockReady();
    uint32_t EndReason() const override { return endReason_; }
    void SetMeasuringTime(std::string_view text) override;

    MeasurementRecord& RecordOnShow() override { return record_; }
    const MeasurementRecord& RecordOnShow() const override { return record_; }
    const CCorrelator& EngineOnShow() const override { return engine_; }
    std::span<const int32_t> TraceOnShow() const override { return trace_; }
    // The result again from the record's sums.
    bool Recompute() override;
    // The latest result's quality, 0 once cleared.
    uint16_t QualityOnShow() const override { return quality_; }
    bool ShowsDocumentRecord() const override { return true; }
    uint32_t FiltersChangedHint() const override;

    CCorrelator& Engine() { return engine_; }
    const CCorrelator& Engine() const { return engine_; }
    void ClearTrace() { trace_.fill(0); }
    void ClearQuality() { quality_ = 0; }
    // Increased by 2 for every block that made a result.
    uint32_t UpdateCounter() const { return updateCounter_; }
    void ResetUpdateCounter() { updateCounter_ = 0; }
    // At least one block made a result since the start.
    bool HasResult() const { return updateCounter_ > 1; }

private:
    void End(uint32_t reason);
    void TakeQuality();

    MeasurementRecord& record_;
    CLinkState& link_;
    MeasurementSession& session_;
    Notify notify_;
    std::array<int32_t, kTraceWidth> trace_{};
    CCorrelator engine_;
    LostStationWatch lostStations_;
    uint32_t endReason_ = 0;
    uint16_t quality_ = 0;
    uint32_t updateCounter_ = 0;
};

}  // namespace korvanta
