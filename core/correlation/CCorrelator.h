#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/correlation/AutoFilter.h"
#include "core/correlation/CoherenceAccumulator.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/correlation/DataBlockRecord.h"
#include "core/correlation/FilterMask.h"
#include "core/correlation/SegmentTransform.h"
#include "core/correlation/SpectrumTraces.h"
#include "core/correlation/StationRing.h"
#include "core/values/ComplexF.h"

namespace korvanta {

struct MeasurementRecord;

// The correlation engine: pairs the blocks of two stations, sums their cross-spectra over five
// segments (the centre and one and two block lengths to either side), turns the sums into a long
// correlation and reduces it to a display trace with a peak delay and a quality figure.
// One large object (about 200 kB); allocate it once and keep it.
class CCorrelator {
public:
    CCorrelator();
    virtual ~CCorrelator() = default;
    CCorrelator(const CCorrelator&) = delete;
    CCorrelator& operator=(const CCorrelator&) = delete;

    // Buffers belong to the caller and must outlive the engine. A second call does nothing.
    void Init(std::span<int32_t> traceOutput, std::span<int32_t> spectrumA, std::span<int32_t> spectrumB,
              uint32_t width, uint32_t height, uint32_t spectrumWidth, uint32_t spectrumHeight);
    void SetRecord(MeasurementRecord* record) { record_ = record; }
    MeasurementRecord* Record() const { return record_; }
    void SetPairCode(int32_t pairCode) { pairCode_ = pairCode; }
    int32_t PairCode() const { return pairCode_; }

    void ResetMeasurement();
    // True when the block completed a pair and made a new result. A block without a usable
    // spectrum (status 2..4, or values that are not finite) still takes its place in the run, so
    // its pair counts in the chain but adds nothing; a block with status 5 (nothing sampled) is
    // no block of the run.
    bool ProcessBlock(const DataBlockRecord& block);
    void RestartSequence();
    // A chain of six pairs is complete. Ask after every block: a pair that added nothing can
    // complete a chain too.
    bool NeedsRestart() const { return pairCount_ > 5; }
    bool IsResultReady() const;
    void StoreToRecord();
    bool RestoreFromRecord();

    float GetDelay() const { return trace_.Delay(); }
    int16_t GetQuality() const { return static_cast<int16_t>(trace_.Quality()); }
    uint32_t SetZoom(uint32_t& column, uint32_t factor);
    bool CanZoom(uint32_t factor) const;
    bool SetBlanking(uint32_t columnA, uint32_t columnB);

    // Replaces the inverse transform (benchmarks only); it must outlive the engine.
    void SetTransform(const ISegmentTransform& transform) { transform_ = &transform; }

    // Inspection, for the views and tests.
    int RingForUnit(uint8_t unit) const;
    uint32_t PairCount() const { return pairCount_; }
    bool LastTraceResult() const { return lastTraceResult_; }
    // Whether the trace on show has a peak above zero; a trace without one is no result to report.
    bool HasSignal() const { return trace_.HasPeak(); }
    const float* Correlation() const { return correlation_.data(); }
    const FilterMask& Mask() const { return filterMask_; }
    const AutoFilter& Automatic() const { return autoFilter_; }
    const CorrelationTrace& Trace() const { return trace_; }
    const ComplexF* Accumulator(int k) const { return accumulators_[k].data(); }
    // The two stations' coherence per bin over the pairs of the result on show: from the running
    // measurement, or as stored in the record (unknown for a record that holds none).
    const CoherenceSpectrum& Coherence() const { return coherence_; }
    double QuietestPowerProduct() const { return quietestPower_; }

private:
    using Spectrum = std::array<ComplexF, kSpectrumBins>;

    bool Accumulate();
    // Decodes the block's spectrum into `slot`; false when its values are not finite.
    bool DecodeInto(const DataBlockRecord& block, ComplexF* slot, double& slotPower) const;
    void CrossSpectrum(int ring1Slot, int ring0Slot, ComplexF* out) const;
    void AddInto(int accumulator, const ComplexF* crossSpectrum);
    void Correlate();
    void CorrelateSegment(int segment);
    bool BuildTrace();
    void BuildSpectrumTraces();

    const ISegmentTransform* transform_;
    int32_t pairCode_ = 6;
    MeasurementRecord* record_ = nullptr;
    StationRing rings_[2]{};
    double quietestPower_ = 0.0;
    FilterMask filterMask_{};
    AutoFilter autoFilter_;
    std::array<Spectrum, 5> accumulators_{};
    CoherenceAccumulator coherenceSums_;
    CoherenceSpectrum coherence_;
    std::array<float, kSegmentCount * kSegmentLags> correlation_{};
    CorrelationTrace trace_;
    SpectrumTraces spectra_;
    Spectrum scratch_{};
    uint32_t pairCount_ = 0;
    bool initialised_ = false;
    bool lastTraceResult_ = false;
};

}  // namespace korvanta
