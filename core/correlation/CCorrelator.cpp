#include "core/correlation/CCorrelator.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/correlation/DataBlockDecoder.h"
#include "core/correlation/InverseRealFft.h"
#include "core/record/CoherenceRecord.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta {

namespace {

constexpr int kFftPoints = 8192;

// The unit reported the block without a spectrum (no sensor, no answer from the outstation):
// it still took its place in the run.
bool IsEmptyBlockStatus(uint8_t status)
{
    return status >= 2 && status <= 4;
}

// Nothing was sampled: the reply is no block of the run at all.
constexpr uint8_t kStatusNothingSampled = 5;

}  // namespace

CCorrelator::CCorrelator() : transform_(&CorrelationFft())
{
    for (StationRing& ring : rings_) {
        ring.slotIndex = 0;
        ring.lastBlockNumber = StationRing::kNoBlock;
    }
}

void CCorrelator::Init(std::span<int32_t> traceOutput, std::span<int32_t> spectrumA, std::span<int32_t> spectrumB,
                       uint32_t width, uint32_t height, uint32_t spectrumWidth, uint32_t spectrumHeight)
{
    if (initialised_) {
        return;
    }
    trace_.Init(traceOutput, width, height);
    spectra_.Init(spectrumA, spectrumB, spectrumWidth, spectrumHeight);
    initialised_ = true;
}

int CCorrelator::RingForUnit(uint8_t unit) const
{
    switch (unit) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return (pairCode_ & 2) ? 0 : 1;
    case 3:
        return pairCode_ & 1;
    default:
        return 1;
    }
}

void CCorrelator::ResetMeasurement()
{
    for (StationRing& ring : rings_) {
        std::fill(std::begin(ring.quietest), std::end(ring.quietest), ComplexF{});
        ring.slotIndex = 0;
        ring.lastBlockNumber = StationRing::kNoBlock;
    }
    for (Spectrum& accumulator : accumulators_) {
        accumulator.fill(ComplexF{});
    }
    coherenceSums_.Clear();
    coherence_ = CoherenceSpectrum{};
    if (record_) {
        record_->pairTotal = 0;
    }
    pairCount_ = 0;
    trace_.ResetZoom();
    filterMask_ = record_ ? BuildFilterMask(record_->filters) : BuildFilterMask(FilterSettings{});
    autoFilter_.SetTaper(BuildAutoFilterTaper());
    autoFilter_.Clear();
}

bool CCorrelator::ProcessBlock(const DataBlockRecord& block)
{
    if (!record_) {
        return false;
    }
    StationRing& ring = rings_[RingForUnit(block.unit)];
    if (block.status == kStatusNothingSampled) {
        return false;
    }
    if (pairCount_ == 0 && block.blockNumber != 0) {
        return false;  // a run starts with block 0
    }
    if (block.blockNumber == ring.lastBlockNumber) {
        return false;  // the same block again
    }
    ring.lastBlockNumber = block.blockNumber;
    ring.slotIndex = (ring.slotIndex + 1) % StationRing::kSlots;

    // A block without a usable spectrum keeps its place as an empty slot, so one lost block
    // costs its own pair only: dropping it would leave the rings out of step for good.
    ComplexF* slot = ring.slots[ring.slotIndex];
    const bool usable = !IsEmptyBlockStatus(block.status) && DecodeInto(block, slot, ring.slotPower[ring.slotIndex]);
    ring.slotUsable[ring.slotIndex] = usable;
    if (!usable) {
        std::fill(slot, slot + kSpectrumBins, ComplexF{});
        ring.slotPower[ring.slotIndex] = 0.0;
    }

    if (rings_[0].slotIndex != rings_[1].slotIndex) {
        return false;  // the other station's block of this turn has not arrived
    }
    if (!rings_[0].slotUsable[rings_[0].slotIndex] || !rings_[1].slotUsable[rings_[1].slotIndex]) {
        ++pairCount_;  // the pair keeps its place in the chain but adds nothing
        return false;
    }

    const double product = rings_[1].slotPower[rings_[1].slotIndex] * rings_[0].slotPower[rings_[0].slotIndex];
    if ((record_->pairTotal == 0 || product < quietestPower_) && product > 0.0) {
        quietestPower_ = product;
        for (StationRing& r : rings_) {
            std::copy(std::begin(r.slots[r.slotIndex]), std::end(r.slots[r.slotIndex]), r.quietest);
        }
    }
    ++record_->pairTotal;
    return Accumulate();
}

bool CCorrelator::DecodeInto(const DataBlockRecord& block, ComplexF* slot, double& slotPower) const
{
    // The payload is read as big-endian words from a cleared buffer, so a stream that runs past
    // the payload reads zero bits.
    uint16_t words[kPayloadWords] = {};
    const size_t payloadWords = std::min<size_t>(block.payloadLength, kPayloadBytes) / 2;
    for (size_t k = 0; k < payloadWords; ++k) {
        words[k] = static_cast<uint16_t>(block.payload[2 * k] << 8 | block.payload[2 * k + 1]);
    }
    int16_t values[kDecodeCapacity] = {};
    uint16_t peak = 0;
    const uint16_t count = DecodeDataBlock(words, values, peak);
    // A count above the capacity is a failed block: it adds an empty spectrum.
    const int bins = count == kDecodeCountTooLarge ? 0 : std::min((static_cast<int>(count) - 1) / 2, kSpectrumBins);

    const float scale = std::ldexp(1.0f, -block.exponent);
    float power = 0.0f;
    double sum = 0.0;
    for (int k = 0; k < bins; ++k) {
        slot[k].re = scale * static_cast<float>(values[2 * k]);
        slot[k].im = scale * static_cast<float>(values[2 * k + 1]);
        power = slot[k].re * slot[k].re + slot[k].im * slot[k].im;
        sum += power;
    }
    std::fill(slot + std::max(bins, 0), slot + kSpectrumBins, ComplexF{});
    slotPower = bins > 0 ? sum / bins : 0.0;
    // A wild exponent makes values or their powers infinite (or 0 times infinity, NaN); one such
    // block would poison every later sum.
    return std::isfinite(slotPower);
}

void CCorrelator::CrossSpectrum(int ring1Slot, int ring0Slot, ComplexF* out) const
{
    const ComplexF* a = rings_[1].slots[ring1Slot];
    const ComplexF* b = rings_[0].slots[ring0Slot];
    for (int k = 0; k < kSpectrumBins; ++k) {
        out[k].re = a[k].re * b[k].re + a[k].im * b[k].im;
        out[k].im = a[k].im * b[k].re - a[k].re * b[k].im;
    }
}

void CCorrelator::AddInto(int accumulator, const ComplexF* crossSpectrum)
{
    Spectrum& sum = accumulators_[accumulator];
    for (int k = 0; k < kSpectrumBins; ++k) {
        sum[k].re += crossSpectrum[k].re;
        sum[k].im += crossSpectrum[k].im;
    }
}

bool CCorrelator::Accumulate()
{
    ++pairCount_;
    const int s = rings_[0].slotIndex;
    const int previous = (s + 2) % StationRing::kSlots;
    const int beforeThat = (s + 1) % StationRing::kSlots;

    CrossSpectrum(s, s, scratch_.data());
    coherenceSums_.Add(rings_[1].slots[s], rings_[0].slots[s]);
    coherence_ = coherenceSums_.Coherence();
    if (record_->filters.automatic == 1 && record_->range == 0) {
        autoFilter_.Apply(accumulators_[2].data(), scratch_.data());
    }
    AddInto(2, scratch_.data());
    if (pairCount_ > 1) {
        CrossSpectrum(previous, s, scratch_.data());
        AddInto(1, scratch_.data());
        CrossSpectrum(s, previous, scratch_.data());
        AddInto(3, scratch_.data());
    }
    if (pairCount_ > 2) {
        CrossSpectrum(beforeThat, s, scratch_.data());
        AddInto(0, scratch_.data());
        CrossSpectrum(s, beforeThat, scratch_.data());
        AddInto(4, scratch_.data());
    }
    Correlate();
    return BuildTrace();
}

void CCorrelator::Correlate()
{
    CorrelateSegment(2);
    if (pairCount_ > 1 && record_->range > 0) {
        CorrelateSegment(1);
        CorrelateSegment(3);
    }
    if (pairCount_ > 2 && record_->range > 1) {
        CorrelateSegment(0);
        CorrelateSegment(4);
    }
}

void CCorrelator::CorrelateSegment(int segment)
{
    alignas(64) float y[kFftPoints];
    const Spectrum& sum = accumulators_[segment];
    for (int k = 0; k < kSpectrumBins; ++k) {
        const bool pass = filterMask_[k] != 0;
        y[2 * k] = pass ? sum[k].re : 0.0f;
        y[2 * k + 1] = pass ? sum[k].im : 0.0f;
    }
    std::fill(y + 2 * kSpectrumBins, y + kFftPoints, 0.0f);
    transform_->Transform(y);

    float* out = correlation_.data() + segment * kSegmentLags;
    constexpr int kHalf = kSegmentLags / 2;
    // The zero lag goes to the middle of the segment: the two halves change places.
    for (int j = 0; j < kSegmentLags; ++j) {
        const float magnitude = std::sqrt(y[2 * j] * y[2 * j] + y[2 * j + 1] * y[2 * j + 1]);
        out[(j + kHalf) % kSegmentLags] = magnitude;
    }
}

bool CCorrelator::BuildTrace()
{
    lastTraceResult_ = trace_.Build(correlation_.data(), record_->range, pairCount_);
    return lastTraceResult_;
}

void CCorrelator::RestartSequence()
{
    pairCount_ = 0;
    rings_[0].slotIndex = 0;
    rings_[1].slotIndex = 0;
}

bool CCorrelator::IsResultReady() const
{
    if (!record_) {
        return false;
    }
    switch (record_->range) {
    case 0:
        return record_->pairTotal >= 1;
    case 1:
        return record_->pairTotal >= 3;
    case 2:
        return record_->pairTotal >= 5;
    default:
        return false;
    }
}

void CCorrelator::StoreToRecord()
{
    if (!record_) {
        return;
    }
    for (int k = 0; k < kAccumulatorCount; ++k) {
        std::copy(accumulators_[k].begin(), accumulators_[k].end(), record_->accumulators[k].bins);
    }
    for (int r = 0; r < 2; ++r) {
        std::copy(std::begin(rings_[r].quietest), std::end(rings_[r].quietest), record_->quietest[r]);
    }
    StoreCoherence(*record_, coherence_);
    BuildSpectrumTraces();
}

bool CCorrelator::RestoreFromRecord()
{
    if (!record_) {
        return false;
    }
    autoFilter_.Clear();
    filterMask_ = BuildFilterMask(record_->filters);
    pairCount_ = record_->pairTotal;
    // The running sums no longer describe the restored result; the record's coherence does.
    coherenceSums_.Clear();
    coherence_ = LoadCoherence(*record_).value_or(CoherenceSpectrum{});
    for (int k = 0; k < kAccumulatorCount; ++k) {
        std::copy(std::begin(record_->accumulators[k].bins), std::end(record_->accumulators[k].bins),
                  accumulators_[k].begin());
    }
    Correlate();
    // A stored measurement whose filters pass no signal shows a flat trace and no result.
    const bool result = BuildTrace() && HasSignal();
    for (int r = 0; r < 2; ++r) {
        std::copy(std::begin(record_->quietest[r]), std::end(record_->quietest[r]), rings_[r].quietest);
    }
    BuildSpectrumTraces();
    return result;
}

void CCorrelator::BuildSpectrumTraces()
{
    spectra_.Build(rings_[0].quietest, rings_[1].quietest);
}

uint32_t CCorrelator::SetZoom(uint32_t& column, uint32_t factor)
{
    return trace_.SetZoom(record_ ? record_->range : 3u, column, factor);
}

bool CCorrelator::CanZoom(uint32_t factor) const
{
    return trace_.CanZoom(record_ ? record_->range : 3u, factor);
}

bool CCorrelator::SetBlanking(uint32_t columnA, uint32_t columnB)
{
    return trace_.SetBlanking(columnA, columnB);
}

}  // namespace korvanta
