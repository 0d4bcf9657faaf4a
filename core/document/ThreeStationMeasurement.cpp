#include "core/document/ThreeStationMeasurement.h"

#include <algorithm>
#include <cstring>

#include "core/document/DocumentGeometry.h"
#include "core/document/DocumentHints.h"
#include "core/document/RecordTexts.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

constexpr int kRed = 1;
constexpr int kBlue = 2;
constexpr int kYellow = 3;

}  // namespace

ThreeStationMeasurement::ThreeStationMeasurement(std::span<int32_t> spectrumA, std::span<int32_t> spectrumB,
                                                 std::span<int32_t> spectrumThird)
    : records_(std::make_unique<std::array<MeasurementRecord, kPairs>>())
{
    const std::array<std::pair<std::span<int32_t>, std::span<int32_t>>, kPairs> spectra = {
        std::pair{spectrumA, spectrumB}, std::pair{spectrumB, spectrumThird}, std::pair{spectrumA, spectrumThird}};
    for (int i = 0; i < kPairs; ++i) {
        const auto index = static_cast<size_t>(i);
        engines_[index] = std::make_unique<CCorrelator>();
        engines_[index]->Init(traces_[index], spectra[index].first, spectra[index].second, kTraceWidth, kTraceHeight,
                              kSpectrumWidth, kSpectrumHeight);
        engines_[index]->SetRecord(&(*records_)[index]);
        engines_[index]->SetPairCode(kPairCodes[index]);
    }
    Clear();
}

void ThreeStationMeasurement::Clear()
{
    for (int i = 0; i < kPairs; ++i) {
        MeasurementRecord& record = Record(i);
        record = MakeEmptyRecord();
        record.pairCode = static_cast<uint32_t>(kPairCodes[static_cast<size_t>(i)]);
    }
    ClearTraces();
    seen_.fill(0);
    resultReady_.fill(0);
}

void ThreeStationMeasurement::ClearTraces()
{
    for (auto& trace : traces_) {
        trace.fill(0);
    }
}

void ThreeStationMeasurement::Setup(const std::array<uint32_t, kPairs>& ranges, float lowCutoff, float highCutoff)
{
    Clear();
    for (int i = 0; i < kPairs; ++i) {
        MeasurementRecord& record = Record(i);
        record.range = ranges[static_cast<size_t>(i)];
        record.filters.lowCutoff = lowCutoff;
        record.filters.highCutoff = highCutoff;
    }
}

void ThreeStationMeasurement::ResetEngines()
{
    for (auto& engine : engines_) {
        engine->ResetMeasurement();
    }
}

void ThreeStationMeasurement::StoreToRecords()
{
    for (auto& engine : engines_) {
        engine->StoreToRecord();
    }
}

void ThreeStationMeasurement::ProcessBlock(const DataBlockRecord& block)
{
    // The pairs (by index) that each station belongs to.
    int first = -1;
    int second = -1;
    switch (block.unit) {
    case kRed:
        first = 0;   // red/blue
        second = 2;  // red/yellow
        break;
    case kBlue:
        first = 0;   // red/blue
        second = 1;  // blue/yellow
        break;
    case kYellow:
        first = 2;   // red/yellow
        second = 1;  // blue/yellow
        break;
    default:
        return;
    }
    engines_[static_cast<size_t>(first)]->ProcessBlock(block);
    engines_[static_cast<size_t>(second)]->ProcessBlock(block);
    seen_[static_cast<size_t>(block.unit - 1)] = 1;
}

bool ThreeStationMeasurement::AllNeedRestart() const
{
    return std::all_of(engines_.begin(), engines_.end(), [](const auto& engine) { return engine->NeedsRestart(); });
}

void ThreeStationMeasurement::RestartAll()
{
    for (auto& engine : engines_) {
        engine->RestartSequence();
    }
}

bool ThreeStationMeasurement::UpdateResultsReady()
{
    for (int i = 0; i < kPairs; ++i) {
        resultReady_[static_cast<size_t>(i)] = Engine(i).IsResultReady() ? 1 : 0;
    }
    return std::all_of(resultReady_.begin(), resultReady_.end(), [](uint8_t ready) { return ready != 0; });
}

bool ThreeStationMeasurement::TakeCompleteSet()
{
    if (std::any_of(seen_.begin(), seen_.end(), [](uint8_t seen) { return seen == 0; })) {
        return false;
    }
    seen_.fill(0);
    return true;
}

void ThreeStationMeasurement::SetMeasuringTime(std::string_view text)
{
    for (int i = 0; i < kPairs; ++i) {
        RecordTexts(Record(i)).SetMeasuringTime(text);
    }
}

bool ThreeStationMeasurement::Recompute()
{
    if (selectedPair_ == kResultView) {
        return false;
    }
    return Engine(IndexForPair(selectedPair_)).RestoreFromRecord();
}

uint16_t ThreeStationMeasurement::QualityOnShow() const
{
    return static_cast<uint16_t>(std::max<int16_t>(EngineOnShow().GetQuality(), 0));
}

uint32_t ThreeStationMeasurement::FiltersChangedHint() const
{
    return kHintThreeStationFiltersChanged;
}

int ThreeStationMeasurement::IndexForPair(int32_t pairCode)
{
    switch (pairCode) {
    case 6:
        return 0;
    case 12:
        return 1;
    default:
        return 2;
    }
}

bool ThreeStationMeasurement::StationSeen(int unit) const
{
    return unit >= kRed && unit <= kYellow && seen_[static_cast<size_t>(unit - 1)] != 0;
}

void ThreeStationMeasurement::AppendRecords(std::vector<uint8_t>& out) const
{
    for (int i = 0; i < kPairs; ++i) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&Record(i));
        out.insert(out.end(), bytes, bytes + sizeof(MeasurementRecord));
    }
}

bool ThreeStationMeasurement::ReadRecords(std::span<const uint8_t> image)
{
    if (image.size() < kPairs * sizeof(MeasurementRecord)) {
        return false;
    }
    for (int i = 0; i < kPairs; ++i) {
        std::memcpy(&Record(i), image.data() + static_cast<size_t>(i) * sizeof(MeasurementRecord),
                    sizeof(MeasurementRecord));
    }
    return true;
}

}  // namespace korvanta
