// The reliability rule over a table of made correlations: a peak of chosen height, width and
// place over Rayleigh noise, a rival peak, a coherence spectrum of chosen band and level, a pipe.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <random>
#include <string>
#include <vector>

#include "core/correlation/CorrelationTrace.h"
#include "core/correlation/ResultAssessment.h"

namespace korvanta {
namespace {

constexpr uint32_t kSpan = 4096;  // range 0

struct Bump {
    int lag = 0;          // from zero delay
    double height = 0.0;  // in noise sigmas
    double width = 8.0;   // lags at half height
};

struct CoherenceBand {
    double fromHz = 0.0, toHz = 0.0, value = 0.0;  // excess coherence in the band; 0: none known
};

struct VerdictCase {
    const char* name;
    Bump top;
    Bump rival;
    CoherenceBand coherence;
    float travelTime;
    std::vector<ResultDoubt> expected;  // empty: reliable
    float rivalApartMetres = -1.0f;     // the places of the top and its next cycle, 2.4 m being one dig
};

std::vector<float> MakeSpan(const VerdictCase& c)
{
    std::mt19937_64 random(42);
    std::normal_distribution<double> gauss;  // the magnitude is Rayleigh with sigma 1
    std::vector<float> span(kSpan);
    for (uint32_t j = 0; j < kSpan; ++j) {
        std::complex<double> value(gauss(random), gauss(random));
        for (const Bump& bump : {c.top, c.rival}) {
            const double x = (static_cast<double>(j) - kSpan / 2 - bump.lag) / bump.width;
            value += bump.height * std::exp(-4.0 * std::log(2.0) * x * x);
        }
        span[j] = static_cast<float>(std::abs(value));
    }
    return span;
}

CoherenceSpectrum MakeCoherence(const CoherenceBand& band)
{
    CoherenceSpectrum coherence;
    if (band.value == 0.0) {
        return coherence;  // unknown
    }
    coherence.pairs = 20;
    for (int k = 1; k < kSpectrumBins; ++k) {
        const bool inside = BinFrequency(k) >= band.fromHz && BinFrequency(k) < band.toHz;
        coherence.values[static_cast<size_t>(k)] = static_cast<float>(0.05 + (inside ? band.value : 0.0));
    }
    return coherence;
}

// The centre cross-spectrum of the band, in phase at the top's delay (none for an unknown band).
std::array<ComplexF, kSpectrumBins> MakeCross(const CoherenceBand& band, int topLag)
{
    std::array<ComplexF, kSpectrumBins> cross{};
    if (band.value <= 0.0) {
        return cross;
    }
    for (int k = 1; k < kSpectrumBins; ++k) {
        if (BinFrequency(k) >= band.fromHz && BinFrequency(k) < band.toHz) {
            const double phase = 2.0 * M_PI * BinFrequency(k) * topLag * kLagSeconds;
            cross[static_cast<size_t>(k)] = {static_cast<float>(std::cos(phase)), static_cast<float>(std::sin(phase))};
        }
    }
    return cross;
}

std::string Names(const std::vector<ResultDoubt>& reasons)
{
    static const char* names[] = {"weak", "ambiguous", "outside", "zero_delay"};
    std::string text;
    for (ResultDoubt doubt : reasons) {
        text += std::string(text.empty() ? "" : ",") + names[static_cast<int>(doubt)];
    }
    return text.empty() ? "reliable" : text;
}

using enum ResultDoubt;
const CoherenceBand kLeakBand{100.0, 800.0, 0.4};
const CoherenceBand kTrafficBand{5.0, 40.0, 0.6};
const CoherenceBand kNothing{1.0, 1220.0, -0.01};  // below what unrelated signals show

class ResultAssessmentTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(ResultAssessmentTest, GivesTheExpectedVerdict)
{
    const VerdictCase& c = GetParam();
    const std::vector<float> span = MakeSpan(c);
    AssessmentInput input;
    input.spanLags = kSpan;
    input.mask.fill(1);
    input.mask[0] = 0;
    input.coherence = MakeCoherence(c.coherence);
    input.travelTime = c.travelTime;
    input.fastTravelTime = c.travelTime / 1.03f;  // a stiff pipe's table velocity
    input.pairs = 20;
    input.cycleRivalMetres = c.rivalApartMetres;
    input.placeTolerance = 2.4f;
    uint32_t top = 0;
    for (uint32_t j = 0; j < kSpan; ++j) {
        top = span[j] > span[top] ? j : top;
    }
    input.centreCross = MakeCross(c.coherence, c.top.lag);
    input.peaks = AnalysePeaks(span, top, c.travelTime, ResultAssessment::MainLobeLags(input.centreCross, input.mask));
    const ResultVerdict verdict = ResultAssessment::Assess(input);
    EXPECT_EQ(Names(verdict.reasons), Names(c.expected))
        << "significance " << verdict.peakSignificance << " of " << verdict.significanceNeeded << ", coherence "
        << verdict.coherenceSignificance << " sigmas, low band " << verdict.lowBandShare;
    EXPECT_EQ(verdict.reliable, c.expected.empty());
    if (verdict.Has(Ambiguous) && c.rival.height > 0.0) {
        ASSERT_FALSE(verdict.rivals.empty());
        // Noise may lift either of two nearly equal peaks to the top; the rival is the other.
        const double rivalLag = verdict.rivals.front().delay / kLagSeconds;
        const int topLag = static_cast<int>(top) - static_cast<int>(kSpan / 2);
        const double otherLag = std::abs(topLag - c.top.lag) <= 2 ? c.rival.lag : c.top.lag;
        EXPECT_NEAR(rivalLag, otherLag, 2.0);
    }
    EXPECT_GT(verdict.delayHalfWidth, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResultAssessmentTest,
    testing::Values(
        VerdictCase{"ClearPeakInThePipe", {300, 20.0}, {}, kLeakBand, 0.2f, {}},
        VerdictCase{"PeakNotAboveTheNoise", {300, 3.0}, {}, kLeakBand, 0.2f, {Weak, Ambiguous}},
        VerdictCase{"NoCoherenceInTheBand", {300, 20.0}, {}, kNothing, 0.2f, {Weak}},
        VerdictCase{"RivalNearlyAsHigh", {300, 20.0}, {-500, 18.0}, kLeakBand, 0.2f, {Ambiguous}},
        VerdictCase{"RivalClearlyLower", {300, 20.0}, {-500, 11.0}, kLeakBand, 0.2f, {}},
        VerdictCase{"FineStructureInsideTheMainLobe", {300, 20.0, 2.0}, {306, 19.0, 2.0}, kLeakBand, 0.2f, {}, 0.8f},
        VerdictCase{"NextCycleNearlyAsHighAndAnotherPlace", {300, 20.0, 2.0}, {306, 19.0, 2.0}, kLeakBand, 0.2f,
                    {Ambiguous}, 6.0f},
        VerdictCase{"NextCycleClearlyLower", {300, 20.0, 2.0}, {306, 11.0, 2.0}, kLeakBand, 0.2f, {}, 6.0f},
        VerdictCase{"RivalBeyondThePipeIsNoRival", {300, 20.0}, {1500, 19.0}, kLeakBand, 0.2f, {}},
        VerdictCase{"PeakBeyondThePipe", {1200, 20.0}, {}, kLeakBand, 0.2f, {Outside}},
        VerdictCase{"PeakWhereAFasterPipeWouldEnd", {962, 20.0}, {}, kLeakBand, 0.2f, {Outside}},
        VerdictCase{"PeakClearOfTheEnd", {900, 20.0}, {}, kLeakBand, 0.2f, {}},
        VerdictCase{"TrafficAtZeroDelay", {1, 20.0, 120.0}, {}, kTrafficBand, 0.2f, {ZeroDelay}},
        VerdictCase{"LeakAtTheMidpoint", {2, 20.0}, {}, kLeakBand, 0.2f, {}},
        VerdictCase{"FaintCommonNoiseJustOffZero", {12, 20.0, 120.0}, {}, kTrafficBand, 0.2f, {ZeroDelay}},
        VerdictCase{"StrongLowBandLeakJustOffZero", {12, 20.0, 120.0}, {}, CoherenceBand{5.0, 60.0, 0.9}, 0.2f, {}},
        VerdictCase{"ZeroDelayWithoutStoredCoherence", {0, 20.0}, {}, {}, 0.2f, {ZeroDelay}},
        VerdictCase{"ClearPeakWithoutStoredCoherence", {-300, 20.0}, {}, {}, 0.2f, {}},
        VerdictCase{"WithoutAPipeNothingIsOutside", {1200, 20.0}, {}, kLeakBand, 0.0f, {}}),
    [](const testing::TestParamInfo<VerdictCase>& info) { return std::string(info.param.name); });

TEST(CoherenceDelayBoundTest, ShrinksWithCoherenceAndBandwidth)
{
    FilterMask mask{};
    mask.fill(1);
    auto sigma = [&mask](double fromHz, double toHz, double value) {
        return ResultAssessment::CoherenceDelaySigma(MakeCoherence({fromHz, toHz, value}), mask);
    };
    // One closed form: 20 pairs, γ² = 0.5 over 100..200 Hz: var = 1/(2·20·Σ(2πf)²·1).
    double sum = 0.0;
    for (int k = 1; k < kSpectrumBins; ++k) {
        const double f = BinFrequency(k);
        if (f >= 100.0 && f < 200.0) {
            const double g = (20.0 * 0.55 - 1.0) / 19.0;  // the estimate 0.55 with its bias taken out
            sum += std::pow(2.0 * M_PI * f, 2) * g / (1.0 - g);
        }
    }
    EXPECT_NEAR(sigma(100.0, 200.0, 0.5), 1.0 / std::sqrt(2.0 * 20.0 * sum), 1e-9);
    EXPECT_LT(sigma(100.0, 400.0, 0.5), sigma(100.0, 200.0, 0.5));
    EXPECT_LT(sigma(100.0, 200.0, 0.8), sigma(100.0, 200.0, 0.5));
    EXPECT_TRUE(std::isinf(ResultAssessment::CoherenceDelaySigma(CoherenceSpectrum{}, mask)));
}

}  // namespace
}  // namespace korvanta
