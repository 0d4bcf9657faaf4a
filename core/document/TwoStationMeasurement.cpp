#include "core/document/TwoStationMeasurement.h"

#include <algorithm>

#include "core/document/DocumentHints.h"

namespace korvanta {

namespace {

// The status of a block that an outstation did not deliver; one such block can be a lost radio
// reply, two in a row mean the station is gone.
constexpr uint8_t kStatusUnitSilent = 4;
constexpr uint8_t kSilentBlocksBeforeEnd = 2;

}  // namespace

TwoStationMeasurement::TwoStationMeasurement(MeasurementRecord& record, std::span<int32_t> spectrumA,
                                             std::span<int32_t> spectrumB, CLinkState& link,
                                             MeasurementSession& session, Notify notify)
    : link_(link), session_(session), notify_(std::move(notify))
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
    silentBlocks_.fill(0);
    session_.Begin();
    session_.RequestNextBlock(false);
    return true;
}

void TwoStationMeasurement::Stop()
{
    engine_.StoreToRecord();
    session_.End();
}

bool TwoStationMeasurement::StationGone(const DataBlockRecord& block)
{
    if (block.unit >= silentBlocks_.size()) {
        return false;
    }
    uint8_t& silent = silentBlocks_[block.unit];
    silent = block.status == kStatusUnitSilent ? static_cast<uint8_t>(silent + 1) : 0;
    return silent >= kSilentBlocksBeforeEnd;
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
    if (StationGone(block)) {
        notify_(kHintMeasurementEnded);
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
            notify_(kHintMeasurementEnded);
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
