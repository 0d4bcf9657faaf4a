#include "core/document/ThreeStationSession.h"

#include <utility>

#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"

namespace korvanta {

ThreeStationSession::ThreeStationSession(ThreeStationMeasurement& three, TwoStationMeasurement& two, Spectra& spectra,
                                         CLinkState& link, MeasurementSession& session, Notify notify)
    : three_(three), two_(two), spectra_(spectra), link_(link), session_(session), notify_(std::move(notify))
{
}

void ThreeStationSession::Setup(const std::array<uint32_t, ThreeStationMeasurement::kPairs>& ranges, float low,
                                float high)
{
    Clear();
    three_.Setup(ranges, low, high);
}

bool ThreeStationSession::Start()
{
    if (!session_.CanStart()) {
        return false;
    }
    two_.ResetUpdateCounter();
    if (session_.StartSampling() != MeasurementSession::StartResult::Started) {
        return false;
    }
    three_.ResetEngines();
    three_.LostStations().Reset();
    three_.SetEndReason(0);
    session_.Begin();
    session_.RequestNextBlock(true);
    return true;
}

void ThreeStationSession::Stop()
{
    if (session_.AbandonStart()) {
        return;
    }
    three_.StoreToRecords();
    session_.End();
}

void ThreeStationSession::OnBlockReady()
{
    // The views are told only once the block is through: one that stops the measurement on a
    // hint must find the pairs and the session as this block left them.
    for (const uint32_t hint : TakeBlock()) {
        notify_(hint);
    }
}

std::vector<uint32_t> ThreeStationSession::TakeBlock()
{
    if (!session_.IsMeasuring() || session_.IsWaiting()) {
        return {};
    }
    DataBlockRecord block;
    link_.FetchDataBlock(block);
    if (const uint32_t lost = three_.LostStations().Note(block); lost != 0) {
        three_.SetEndReason(lost);
        return {kHintMeasurementEnded};
    }
    three_.ProcessBlock(block);
    bool resynchronised = true;
    if (three_.AllNeedRestart()) {
        const MeasurementSession::StartResult restarted = session_.StartSampling();
        if (restarted == MeasurementSession::StartResult::Stopped) {
            return {};
        }
        resynchronised = restarted == MeasurementSession::StartResult::Started;
        three_.RestartAll();
    }
    session_.RequestNextBlock(true);
    std::vector<uint32_t> hints;
    if (three_.UpdateResultsReady()) {
        hints.push_back(three_.SelectedPair() == ThreeStationMeasurement::kResultView ? kHintThreeStationCombinedResult
                                                                                      : kHintThreeStationResult);
    }
    if (three_.TakeCompleteSet()) {
        hints.push_back(kHintThreeStationBlockSet);
    }
    if (!resynchronised) {
        // No further block will come; a view that handles the hint can end the measurement.
        three_.SetEndReason(str::kMeasurementStopped);
        hints.push_back(kHintMeasurementEnded);
    }
    return hints;
}

void ThreeStationSession::Clear()
{
    three_.Clear();
    for (auto& spectrum : spectra_) {
        spectrum.fill(0);
    }
}

}  // namespace korvanta
