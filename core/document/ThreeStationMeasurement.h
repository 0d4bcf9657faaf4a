#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "core/correlation/CCorrelator.h"
#include "core/document/ActiveMeasurement.h"
#include "core/document/LostStationWatch.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta {

// The three correlations of the three-station mode: the pairs red/blue (6), blue/yellow (12)
// and red/yellow (10), in that order, each with its own record, engine and display trace, and
// what the mode's flow (ThreeStationSession) keeps between blocks. What it has on show is the
// pair the form selected; its records are no file's of the document (the kv3 file keeps them).
class ThreeStationMeasurement final : public ActiveMeasurement {
public:
    static constexpr int kPairs = 3;
    static constexpr std::array<int32_t, kPairs> kPairCodes = {6, 12, 10};
    static constexpr int32_t kResultView = 14;  // the form's view of all three pairs together
    static constexpr size_t kTraceColumns = 620;

    // The engines draw their spectra into the document's buffers: red/blue into A and B,
    // blue/yellow into B and the third, red/yellow into A and the third.
    ThreeStationMeasurement(std::span<int32_t> spectrumA, std::span<int32_t> spectrumB,
                            std::span<int32_t> spectrumThird);

    // Zeroes the records (keeping their pair codes), the traces and the flags.
    void Clear();
    void ClearTraces();
    // A fresh set-up: cleared records with their pair codes, a range each and one band for all.
    void Setup(const std::array<uint32_t, kPairs>& ranges, float lowCutoff, float highCutoff);

    // The flow (ThreeStationSession) keeps here why the measurement had to end, and watches
    // here for a station that stops answering.
    uint32_t EndReason() const override { return endReason_; }
    void SetEndReason(uint32_t reason) { endReason_ = reason; }
    LostStationWatch& LostStations() { return lostStations_; }

    void ResetEngines();
    void StoreToRecords();
    // Feeds a block to the two pairs that contain its station and marks the station seen.
    // Blocks of any other unit are not used.
    void ProcessBlock(const DataBlockRecord& block);
    bool AllNeedRestart() const;
    void RestartAll();
    // Notes each pair's readiness; true when all three have a result.
    bool UpdateResultsReady();
    // True, clearing the seen flags, once a block from each of red, blue and yellow has come.
    bool TakeCompleteSet();
    // Into all three records.
    void SetMeasuringTime(std::string_view text) override;

    MeasurementRecord& RecordOnShow() override { return Record(IndexForPair(selectedPair_)); }
    const MeasurementRecord& RecordOnShow() const override { return Record(IndexForPair(selectedPair_)); }
    const CCorrelator& EngineOnShow() const override { return Engine(IndexForPair(selectedPair_)); }
    std::span<const int32_t> TraceOnShow() const override { return Trace(IndexForPair(selectedPair_)); }
    // From the selected pair's record; false on the result view, which has no engine of its own.
    bool Recompute() override;
    uint16_t QualityOnShow() const override;
    bool ShowsDocumentRecord() const override { return false; }
    uint32_t FiltersChangedHint() const override;

    // 0 for pair 6, 1 for pair 12, 2 for any other code (10, or the result view).
    static int IndexForPair(int32_t pairCode);

    int32_t SelectedPair() const { return selectedPair_; }
    void SetSelectedPair(int32_t pairCode) { selectedPair_ = pairCode; }
    MeasurementRecord& Record(int index) { return records_->at(static_cast<size_t>(index)); }
    const MeasurementRecord& Record(int index) const { return records_->at(static_cast<size_t>(index)); }
    CCorrelator& Engine(int index) { return *engines_.at(static_cast<size_t>(index)); }
    const CCorrelator& Engine(int index) const { return *engines_.at(static_cast<size_t>(index)); }
    std::span<const int32_t> Trace(int index) const { return traces_.at(static_cast<size_t>(index)); }
    bool StationSeen(int unit) const;
    bool ResultReady(int index) const { return resultReady_.at(static_cast<size_t>(index)) != 0; }

    // The records as a byte image in the order 6, 12, 10, and back. Reading needs the whole
    // image and leaves the records untouched when it is short.
    void AppendRecords(std::vector<uint8_t>& out) const;
    bool ReadRecords(std::span<const uint8_t> image);

private:
    std::unique_ptr<std::array<MeasurementRecord, kPairs>> records_;
    std::array<std::unique_ptr<CCorrelator>, kPairs> engines_;
    std::array<std::array<int32_t, kTraceColumns>, kPairs> traces_{};
    std::array<uint8_t, kPairs> seen_{};         // red, blue, yellow
    std::array<uint8_t, kPairs> resultReady_{};  // per pair
    int32_t selectedPair_ = kPairCodes[0];
    LostStationWatch lostStations_;
    uint32_t endReason_ = 0;
};

}  // namespace korvanta
