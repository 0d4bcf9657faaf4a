#include "core/document/TwoStationMeasurement.h"

#include <algorithm>

#include "core/document/DocumentHints.h"
#include "core/document/RecordTexts.h"
#include "core/text/StringIds.h"

namespace korvanta {

TwoStationMeasurement::TwoStationMeasurement(MeasurementRecord& record, std::span<int32_t> spectrumA,
                                             std::span<int32_t> spectrumB, CLinkState& link,
                                             MeasurementSession& session, Notify notify)
    : record_(record), link_(link), session_(session), notify_(std::move(notify))
{
    engine_.Init(trace_, spectrumA, spectrumB, kTraceWidth, kTraceHeight, kSpectrumWidth, kSpectrumHeight);
    engine_.SetRecord(&record);
}

bool TwoStationMeasurement::Start()
{
    if (session_.StartSampling() != MeasurementSession::StartResult::Started) {
        return false;
    }
    engine_.ResetMeasurement();
    lostStations_.Reset();
    endReason_ = 0;
    session_.Begin();
    session_.RequestNextBlock(false);
    return true;
}

void TwoStationMeasurement::Stop()
{
    engine_.StoreToRecord();
    session_.End();
}

void TwoStationMeasurement::SetMeasuringTime(std::string_view text)
{
    RecordTexts(record_).SetMeasuringTime(text);
}

uint32_t TwoStationMeasurement::FiltersChangedHint() const
{
    return kHintFiltersChanged;
}

void TwoStationMeasurement::End(uint32_t reason)
{
    endReason_ = reason;
    notify_(kHintMeasurementEnded);
}

void TwoStationMeasurement::TakeQuality()
{
    quality_ = static_cast<uint16_t>(std::max<int16_t>(engine_.GetQuality(), 0));
}

void TwoStationMeasurement::OnBlockReady()
{
    // No block is asked for while a wait runs; a notice the wait pump delivers then is stale.
    if (!session_.IsMeasuring() || session_.IsWaiting()) {
        return;
    }
    DataBlockRecord block;
    link_.FetchDataBlock(block);
    if (const uint32_t lost = lostStations_.Note(block); lost != 0) {
        End(lost);
        return;
    }
    const bool newResult = engine_.ProcessBlock(block);
    if (newResult) {
        TakeQuality();
    }
    // A pair without a usable block can complete the chain too.
    if (engine_.NeedsRestart()) {
        const MeasurementSession::StartResult restarted = session_.StartSampling();
        if (restarted == MeasurementSession::StartResult::Stopped) {
            return;  // stopped during the wait: the stop has stored everything
        }
        if (restarted == MeasurementSession::StartResult::Failed) {
            // The stations no longer sample in step; the view ends the measurement.
            End(str::kMeasurementStopped);
            return;
        }
        engine_.RestartSequence();
    }
    if (newResult) {
        updateCounter_ += 2;
        notify_(kHintNewResult);
    }
    session_.RequestNextBlock(false);
}

bool TwoStationMeasurement::Recompute()
{
    const bool result = engine_.RestoreFromRecord();
    TakeQuality();
    return result;
}

}  // namespace korvanta
