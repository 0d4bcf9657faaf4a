#include "core/correlation/ResultAssessment.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/correlation/CCorrelator.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/pipe/LeakPosition.h"
#include "core/pipe/Pipe.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta {

namespace {

// The median of a Rayleigh-distributed envelope is sigma·sqrt(2 ln 2).
constexpr double kRayleighMedian = 1.1774100225154747;
// A coherence estimate is never taken as 1: one bin would make the bound vanish.
constexpr double kMaxCoherence = 0.99;

int PassCount(const FilterMask& mask)
{
    return static_cast<int>(std::count_if(mask.begin() + 1, mask.end(), [](uint8_t pass) { return pass != 0; }));
}

// The envelope of a correlation over a band of p·1024 bins has about one independent value every
// 4/p lags: with the full 1220 Hz a lag of 0.2048 ms is a quarter of 1/1220 s.
double IndependentLags(uint32_t spanLags, const FilterMask& mask)
{
    const double share = PassCount(mask) / static_cast<double>(kSpectrumBins);
    return std::max(1.0, spanLags * share / 4.0);
}

// The band's excess coherence over what unrelated signals show (1/N per bin), in units of its
// spread for unrelated signals: a coherence estimate of two unrelated signals over N pairs follows
// Beta(1, N−1), of variance (N−1)/(N²(N+1)).
double CoherenceSignificance(const CoherenceSpectrum& coherence, const FilterMask& mask)
{
    if (coherence.pairs < 2) {
        return 0.0;
    }
    const double n = coherence.pairs;
    const double floor = 1.0 / n;
    const double spread = std::sqrt((n - 1.0) / (n * n * (n + 1.0)));
    double excess = 0.0;
    int bins = 0;
    for (int k = 1; k < kSpectrumBins; ++k) {
        if (mask[static_cast<size_t>(k)] != 0) {
            excess += coherence.values[static_cast<size_t>(k)] - floor;
            ++bins;
        }
    }
    return bins > 0 ? excess / (spread * std::sqrt(static_cast<double>(bins))) : 0.0;
}

bool IsZero(const std::array<ComplexF, kSpectrumBins>& cross)
{
    return std::all_of(cross.begin(), cross.end(), [](const ComplexF& bin) { return bin.re == 0.0f && bin.im == 0.0f; });
}

double LowBandShare(const CoherenceSpectrum& coherence, const FilterMask& mask)
{
    double low = 0.0, all = 0.0;
    for (int k = 1; k < kSpectrumBins; ++k) {
        if (mask[static_cast<size_t>(k)] == 0) {
            continue;
        }
        const double excess = coherence.Unbiased(k);
        all += excess;
        if (BinFrequency(k) < ResultAssessment::kLowBandHz) {
            low += excess;
        }
    }
    return all > 0.0 ? low / all : 0.0;
}

}  // namespace

bool ResultVerdict::Has(ResultDoubt doubt) const
{
    return std::find(reasons.begin(), reasons.end(), doubt) != reasons.end();
}

uint32_t ResultAssessment::MainLobeLags(const std::array<ComplexF, kSpectrumBins>& cross, const FilterMask& mask)
{
    double sum = 0.0, squares = 0.0;
    for (int k = 1; k < kSpectrumBins; ++k) {
        if (mask[static_cast<size_t>(k)] != 0) {
            const double magnitude = std::hypot(cross[static_cast<size_t>(k)].re, cross[static_cast<size_t>(k)].im);
            sum += magnitude;
            squares += magnitude * magnitude;
        }
    }
    if (!(squares > 0.0)) {
        return 1;
    }
    const double bandHz = sum * sum / squares / 0.8388608;
    return static_cast<uint32_t>(std::ceil(2.0 / (bandHz * kLagSeconds)));
}

double ResultAssessment::LowBandShareAt(const std::array<ComplexF, kSpectrumBins>& cross, const FilterMask& mask,
                                        float delay)
{
    // The correlation at delay τ is |Σ X_k e^(−iω_k τ)| over the bins the mask passes.
    double lowRe = 0.0, lowIm = 0.0, allRe = 0.0, allIm = 0.0;
    for (int k = 1; k < kSpectrumBins; ++k) {
        if (mask[static_cast<size_t>(k)] == 0) {
            continue;
        }
        const double phase = -2.0 * std::numbers::pi * BinFrequency(k) * delay;
        const double c = std::cos(phase), s = std::sin(phase);
        const ComplexF& x = cross[static_cast<size_t>(k)];
        const double re = x.re * c - x.im * s;
        const double im = x.re * s + x.im * c;
        allRe += re;
        allIm += im;
        if (BinFrequency(k) < kLowBandHz) {
            lowRe += re;
            lowIm += im;
        }
    }
    const double all = std::hypot(allRe, allIm);
    return all > 0.0 ? std::min(1.0, std::hypot(lowRe, lowIm) / all) : 0.0;
}

double ResultAssessment::CoherenceDelaySigma(const CoherenceSpectrum& coherence, const FilterMask& mask)
{
    if (!coherence.IsKnown()) {
        return std::numeric_limits<double>::infinity();
    }
    double information = 0.0;
    for (int k = 1; k < kSpectrumBins; ++k) {
        if (mask[static_cast<size_t>(k)] == 0) {
            continue;
        }
        const double g = std::min(coherence.Unbiased(k), kMaxCoherence);
        const double omega = 2.0 * std::numbers::pi * BinFrequency(k);
        information += omega * omega * g / (1.0 - g);
    }
    information *= 2.0 * coherence.pairs;
    return information > 0.0 ? 1.0 / std::sqrt(information) : std::numeric_limits<double>::infinity();
}

ResultVerdict ResultAssessment::Assess(const AssessmentInput& input)
{
    ResultVerdict verdict;
    const PeakAnalysis& peaks = input.peaks;
    if (!peaks.valid || input.spanLags == 0) {
        verdict.reasons.push_back(ResultDoubt::Weak);
        return verdict;
    }

    // Weak: the top must stand out of the correlation's own noise, and the band must hold
    // coherence beyond that of unrelated signals.
    const double sigma = peaks.medianLevel / kRayleighMedian;
    verdict.peakSignificance = sigma > 0.0 ? peaks.top.height / sigma : 0.0;
    verdict.significanceNeeded =
        kLocalisationMargin * std::sqrt(2.0 * std::log(IndependentLags(input.spanLags, input.mask) / kFalseAlarm));
    const bool coherenceKnown = input.coherence.IsKnown();
    if (coherenceKnown) {
        verdict.coherenceSignificance = CoherenceSignificance(input.coherence, input.mask);
    }
    // What carries the peak: its height's share from the lowest band, from the cross-spectrum
    // (coherence and power together, as the correlation weighs them); without one, the coherence's.
    const bool crossKnown = !IsZero(input.centreCross);
    if (crossKnown) {
        verdict.lowBandShare = LowBandShareAt(input.centreCross, input.mask, peaks.top.delay);
    } else if (coherenceKnown) {
        verdict.lowBandShare = LowBandShare(input.coherence, input.mask);
    }
    if (verdict.peakSignificance < verdict.significanceNeeded || input.quality < kMinQuality ||
        (coherenceKnown && verdict.coherenceSignificance < kMinCoherenceSigmas)) {
        verdict.reasons.push_back(ResultDoubt::Weak);
    }

    // Ambiguous: a distinct peak inside the pipe nearly as high as the top.
    for (const CorrelationPeak& candidate : peaks.candidates) {
        if (candidate.relative >= kAmbiguousRelative) {
            verdict.rivals.push_back(candidate);
        }
    }
    const CorrelationPeak& cycle = peaks.cycleRival;
    if (cycle.relative > 0.0f && input.cycleRivalMetres > input.placeTolerance &&
        (1.0 - cycle.relative) * verdict.peakSignificance / std::numbers::sqrt2 < kCycleSkipSigmas) {
        verdict.rivals.push_back(cycle);
    }
    if (!verdict.rivals.empty()) {
        verdict.reasons.push_back(ResultDoubt::Ambiguous);
    }

    // The delay's precision: the coherence's bound, the peak's width over its significance, and
    // the lag grid, together; the interval takes kIntervalSigmas of it and the systematic lags.
    const double crb = CoherenceDelaySigma(input.coherence, input.mask);
    const double lag = kLagSeconds;
    const double width =
        verdict.peakSignificance > 0.0 ? peaks.lobeLags * lag / verdict.peakSignificance : peaks.lobeLags * lag;
    const double crbPart = std::isfinite(crb) ? crb * crb : 0.0;
    verdict.delaySigma = std::sqrt(crbPart + width * width + lag * lag / 12.0);
    verdict.delayHalfWidth = kIntervalSigmas * verdict.delaySigma + kSystematicLags * lag;

    // Outside: beyond the pipe, or so near its end that the velocities' and the delay's doubt
    // reach past a sensor, where a noise beyond it (a valve, water drawn) correlates.
    // (The span of a peak that does not stand out says nothing; only its place counts then.)
    const bool weak = verdict.Has(ResultDoubt::Weak);
    const double reach = std::abs(peaks.top.delay) + (weak ? 0.0 : verdict.delayHalfWidth);
    const float fast = input.fastTravelTime > 0.0f && !weak ? input.fastTravelTime : input.travelTime;
    if (input.travelTime > 0.0f && (std::abs(peaks.top.delay) >= input.travelTime || reach >= fast)) {
        verdict.reasons.push_back(ResultDoubt::Outside);
    }

    // Zero delay: within a few lags of the middle, or within half the uncertainty the peak's
    // width gives its place (a broad low-frequency peak wanders), with the peak's height made
    // mostly below kLowBandHz; knowing neither spectrum, the place alone decides.
    const uint32_t middle = input.spanLags / 2;
    const uint32_t offset = peaks.top.lag > middle ? peaks.top.lag - middle : middle - peaks.top.lag;
    // A band of faint coherence whose peak holds zero delay within its own span is no better: the
    // common noise's peak need not sit exactly at zero (the two sensors' responses differ in phase
    // at a few hertz by milliseconds).
    const bool faintNearZero = coherenceKnown && verdict.coherenceSignificance < kFaintCoherenceSigmas &&
                               offset * lag <= verdict.delayHalfWidth;
    const bool atZero = offset <= kZeroDelayLags || (!weak && (offset * lag <= 0.5 * width || faintNearZero));
    if (atZero && ((!crossKnown && !coherenceKnown) || verdict.lowBandShare >= kLowBandMajority)) {
        verdict.reasons.push_back(ResultDoubt::ZeroDelay);
    }

    verdict.reliable = verdict.reasons.empty();
    return verdict;
}

AssessmentInput ResultAssessment::FromEngine(const CCorrelator& engine, const PipeSections& pipe,
                                             const std::array<float, kMaxPipeSections>* velocityShares)
{
    AssessmentInput input;
    const MeasurementRecord* record = engine.Record();
    const uint32_t range = record != nullptr ? record->range : 3u;
    input.spanLags = SpanLags(range);
    input.coherence = engine.Coherence();
    input.mask = engine.Mask();
    input.travelTime = GetTravelTime(pipe);
    if (velocityShares != nullptr) {
        PipeSections fast = pipe;
        for (size_t i = 0; i < fast.size(); ++i) {
            fast[i].velocity *= 1.0f + (*velocityShares)[i];
        }
        input.fastTravelTime = GetTravelTime(fast);
    }
    input.quality = static_cast<uint32_t>(std::max<int16_t>(engine.GetQuality(), 0));
    input.pairs = engine.PairCount();
    std::copy(engine.Accumulator(2), engine.Accumulator(2) + kSpectrumBins, input.centreCross.begin());
    if (input.spanLags == 0 || !engine.HasSignal()) {
        return input;
    }
    const float* span = engine.Correlation() + (kSegmentCount * kSegmentLags - input.spanLags) / 2;
    input.peaks = AnalysePeaks(std::span<const float>(span, input.spanLags),
                               LagOfDelay(engine.GetDelay(), input.spanLags), input.travelTime,
                               MainLobeLags(input.centreCross, input.mask));
    const float length = GetTotalLength(pipe);
    input.placeTolerance = static_cast<float>(std::max(kPlaceToleranceMetres, kPlaceToleranceShare * length));
    if (input.travelTime > 0.0f && input.peaks.cycleRival.relative > 0.0f) {
        input.cycleRivalMetres = std::abs(ComputeLeakPosition(pipe, input.peaks.top.delay).fromStart -
                                          ComputeLeakPosition(pipe, input.peaks.cycleRival.delay).fromStart);
    }
    return input;
}

ResultVerdict ResultAssessment::AssessEngine(const CCorrelator& engine, const PipeSections& pipe)
{
    return Assess(FromEngine(engine, pipe));
}

}  // namespace korvanta
