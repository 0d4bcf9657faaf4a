#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/correlation/FilterMask.h"
#include "core/correlation/PeakCandidates.h"
#include "core/pipe/PipeSection.h"
#include "core/values/CoherenceSpectrum.h"

namespace korvanta {

class CCorrelator;

// Why a result cannot be relied on.
enum class ResultDoubt {
    Weak,       // too little correlated signal: the peak does not stand out of the noise
    Ambiguous,  // another peak in the pipe is nearly as high
    Outside,    // the top peak lies beyond the pipe between the sensors
    ZeroDelay,  // the peak sits at zero delay and its coherence lies in the lowest band
};

// What the assessment looks at: the correlation's peaks, the coherence, the band in use, the
// pipe's travel time (0 without a pipe) and the number of pairs summed.
struct AssessmentInput {
    PeakAnalysis peaks;
    uint32_t spanLags = 0;
    // The centre segment's sum of cross-spectra, whose correlation holds every delay near zero.
    std::array<ComplexF, kSpectrumBins> centreCross{};
    CoherenceSpectrum coherence;  // unknown for a record from before it was kept
    FilterMask mask{};
    float travelTime = 0.0f;
    // The travel time with every velocity at the fast end of its share: a peak whose span of doubt
    // reaches it cannot be told from a noise beyond a sensor (0: the travel time itself).
    float fastTravelTime = 0.0f;
    uint32_t quality = 99;  // the engine's peak-to-mean figure of the trace
    // How far apart along the pipe the top's place and its cycle rival's lie, metres (negative:
    // no pipe, so no places either), and the distance below which two places are one dig.
    float cycleRivalMetres = -1.0f;
    float placeTolerance = 0.0f;
    uint32_t pairs = 0;
};

struct ResultVerdict {
    bool reliable = false;
    std::vector<ResultDoubt> reasons;
    std::vector<CorrelationPeak> rivals;  // the nearly equal peaks behind Ambiguous
    // The figures the rule compared, for reports and calibration.
    double peakSignificance = 0.0;   // top peak over the correlation's noise, in noise sigmas
    double significanceNeeded = 0.0;
    double coherenceSignificance = 0.0;  // excess coherence in the band, in sigmas of unrelated signals
    double lowBandShare = 0.0;           // share of the top peak's height made below kLowBandHz
    double delaySigma = 0.0;             // standard deviation of the delay, seconds
    double delayHalfWidth = 0.0;         // the delay's share of the interval, seconds

    bool Has(ResultDoubt doubt) const;
};

// The rule that says whether a correlation result can be relied on, and how precise its delay is.
// Each threshold is a physical figure rather than a fit: the top peak must stand out of the noise
// of a correlation of that many independent lags with a false-alarm chance of kFalseAlarm, the
// band must hold more coherence than unrelated signals show, a rival peak must stay clearly lower,
// and a peak at zero delay carried by the lowest band is what traffic or hum common to both
// sensors makes.
class ResultAssessment {
public:
    static constexpr double kFalseAlarm = 1e-3;
    // A peak that is barely detected is not yet located: below a few decibels over the detection
    // threshold a delay estimate jumps to wherever the noise is highest (the threshold effect of
    // delay estimation). The peak must stand this much over the detection threshold.
    static constexpr double kLocalisationMargin = 1.5;
    // The band must hold more coherence than unrelated signals show on average. The sum of
    // coherence is a second-order figure, far less sensitive than the correlation's peak, so it
    // only vetoes a band without any.
    static constexpr double kMinCoherenceSigmas = 0.0;
    // A trace whose peak is not even twice its mean shows no peak at all.
    static constexpr uint32_t kMinQuality = 2;
    static constexpr float kAmbiguousRelative = 0.8f;
    // Inside the main lobe of a narrow band the correlation rings; the next cycle is another place
    // when it lies farther than a dig's tolerance, and noise lifts it over the top unless the top
    // leads it by this many noise sigmas (the difference of two noise values: sigma times √2).
    static constexpr double kCycleSkipSigmas = 3.0;
    // Two places closer than the larger of these are one dig.
    static constexpr double kPlaceToleranceMetres = 2.0;
    static constexpr double kPlaceToleranceShare = 0.02;
    static constexpr double kLowBandHz = 60.0;
    static constexpr double kLowBandMajority = 0.5;
    static constexpr uint32_t kZeroDelayLags = 5;
    // Excess coherence below which the band holds little beyond a narrow common noise.
    static constexpr double kFaintCoherenceSigmas = 20.0;
    static constexpr double kIntervalSigmas = 3.0;
    // Beyond the statistics the delay carries the stations' sampling clocks (a tenth of a
    // millisecond apart is common) and the lag grid: two lags.
    static constexpr double kSystematicLags = 2.0;

    static ResultVerdict Assess(const AssessmentInput& input);
    // The same for the result on show in an engine and the pipe entered for it, with the
    // velocities' shares when known (they set how near a sensor a peak may lie).
    static AssessmentInput FromEngine(const CCorrelator& engine, const PipeSections& pipe,
                                      const std::array<float, kMaxPipeSections>* velocityShares = nullptr);
    static ResultVerdict AssessEngine(const CCorrelator& engine, const PipeSections& pipe);

    // The main lobe's width in lags for the band the mask passes, weighted by the cross-spectrum:
    // 2 / B with B = (Σ|X|)² / Σ|X|² bins, from null to null of the envelope of a flat band B.
    static uint32_t MainLobeLags(const std::array<ComplexF, kSpectrumBins>& cross, const FilterMask& mask);
    // How much of the correlation's height at `delay` the bins below kLowBandHz make: the
    // magnitude of their part of the sum over the magnitude of the whole (0 when it is zero).
    static double LowBandShareAt(const std::array<ComplexF, kSpectrumBins>& cross, const FilterMask& mask,
                                 float delay);

    // Cramér–Rao bound of the delay for the coherence over the bins the mask passes, from N pairs
    // of one block each: var = 1 / (2 N Σ (2πf)² γ²/(1−γ²)). Infinite when the band holds none.
    static double CoherenceDelaySigma(const CoherenceSpectrum& coherence, const FilterMask& mask);
};

}  // namespace korvanta
