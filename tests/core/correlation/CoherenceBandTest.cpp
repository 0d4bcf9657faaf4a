// The band the coherence proposes: cut-offs around the coherent stretch, notches on narrow tones.
#include <gtest/gtest.h>

#include <initializer_list>

#include "core/correlation/CoherenceBand.h"

namespace korvanta {
namespace {

struct Line {
    double hz;
    float value;
};

// 20 pairs: unrelated signals at 0.05, a coherent band, and narrow lines set to a value.
CoherenceSpectrum Spectrum(double fromHz, double toHz, float level, std::initializer_list<Line> lines)
{
    CoherenceSpectrum coherence;
    coherence.pairs = 20;
    for (int k = 1; k < kSpectrumBins; ++k) {
        const double f = BinFrequency(k);
        coherence.values[static_cast<size_t>(k)] = f >= fromHz && f < toHz ? level : 0.05f;
        for (const Line& line : lines) {
            if (std::abs(f - line.hz) < 1.0) {
                coherence.values[static_cast<size_t>(k)] = line.value;
            }
        }
    }
    return coherence;
}

bool Notched(const FilterSettings& filters, double hz)
{
    for (const NotchFilter& notch : filters.notches) {
        if (notch.high > 0.0f && notch.low <= hz && hz <= notch.high) {
            return true;
        }
    }
    return false;
}

TEST(CoherenceBandTest, CutsAroundTheCoherentBandAndNotchesItsTones)
{
    // Hum at 100 and 150 Hz much more coherent than the leak, a tone at 300 Hz only one sensor hears.
    const auto band = ProposeCoherenceBand(Spectrum(80.0, 400.0, 0.6f, {{100.0, 0.99f}, {150.0, 0.98f}, {300.0, 0.05f}}));
    ASSERT_TRUE(band);
    EXPECT_NEAR(band->lowCutoff, 80.0f, 2.5f);
    EXPECT_NEAR(band->highCutoff, 400.0f, 2.5f);
    EXPECT_TRUE(Notched(*band, 100.0));
    EXPECT_TRUE(Notched(*band, 150.0));
    EXPECT_TRUE(Notched(*band, 300.0));
    EXPECT_FALSE(Notched(*band, 200.0));
    EXPECT_EQ(band->automatic, 0);
}

TEST(CoherenceBandTest, ProposesNothingWithoutACoherentBand)
{
    EXPECT_FALSE(ProposeCoherenceBand(Spectrum(80.0, 400.0, 0.05f, {})));
    EXPECT_FALSE(ProposeCoherenceBand(Spectrum(80.0, 400.0, 0.05f, {{50.0, 0.99f}}))) << "a hum line is no band";
    EXPECT_FALSE(ProposeCoherenceBand(CoherenceSpectrum{})) << "no coherence known";
}

TEST(CoherenceBandTest, TakesTheStretchWithTheMostCoherence)
{
    const CoherenceSpectrum two = [] {
        CoherenceSpectrum coherence = Spectrum(300.0, 700.0, 0.5f, {});
        for (int k = 1; k < kSpectrumBins; ++k) {
            if (BinFrequency(k) >= 10.0 && BinFrequency(k) < 30.0) {
                coherence.values[static_cast<size_t>(k)] = 0.9f;  // traffic: strong but narrow
            }
        }
        return coherence;
    }();
    const auto band = ProposeCoherenceBand(two);
    ASSERT_TRUE(band);
    EXPECT_NEAR(band->lowCutoff, 300.0f, 2.5f);
    EXPECT_NEAR(band->highCutoff, 700.0f, 2.5f);
}

}  // namespace
}  // namespace korvanta
