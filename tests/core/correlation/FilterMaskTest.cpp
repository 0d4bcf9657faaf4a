#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/correlation/AutoFilter.h"
#include "core/correlation/FilterMask.h"

namespace korvanta {
namespace {

int Passing(const FilterMask& mask)
{
    return static_cast<int>(std::count_if(mask.begin(), mask.end(), [](uint8_t v) { return v != 0; }));
}

TEST(FilterMask, CutOffsStopTheBinsOutsideTheBand)
{
    FilterSettings settings;
    EXPECT_EQ(Passing(BuildFilterMask(settings)), 1024);

    settings.lowCutoff = 100.0f;  // bins 0..82 stopped
    FilterMask mask = BuildFilterMask(settings);
    EXPECT_EQ(mask[82], 0);
    EXPECT_NE(mask[83], 0);

    settings = {};
    settings.highCutoff = 100.0f;  // bins 83..1023 stopped
    mask = BuildFilterMask(settings);
    EXPECT_NE(mask[82], 0);
    EXPECT_EQ(mask[83], 0);

    settings.highCutoff = 1220.0f;
    EXPECT_EQ(Passing(BuildFilterMask(settings)), 1023);
    settings.highCutoff = 1221.0f;
    EXPECT_EQ(Passing(BuildFilterMask(settings)), 1024);
}

TEST(FilterMask, NotchesStopTheirBandOnly)
{
    FilterSettings settings;
    settings.notches[0] = {50.0f, 50.0f};  // empty
    settings.notches[1] = {300.0f, 0.0f};  // not in force
    EXPECT_EQ(Passing(BuildFilterMask(settings)), 1024);
    settings.notches[2] = {300.0f, 330.0f};  // bins 251..275
    const FilterMask mask = BuildFilterMask(settings);
    EXPECT_NE(mask[250], 0);
    EXPECT_EQ(mask[251], 0);
    EXPECT_EQ(mask[275], 0);
    EXPECT_NE(mask[276], 0);
}

TEST(FilterMask, DamagedValuesNeverReachOutsideTheMask)
{
    FilterSettings settings;
    settings.lowCutoff = 1e30f;
    settings.highCutoff = -5.0f;
    settings.notches[0] = {0.0f, 1e30f};
    settings.notches[1] = {NAN, NAN};
    settings.notches[2] = {-1e9f, 400.0f};
    EXPECT_EQ(Passing(BuildFilterMask(settings)), 0);
}

TEST(AutoFilter, TaperIsABell)
{
    const AutoFilterTaper taper = BuildAutoFilterTaper();
    EXPECT_EQ(taper[0], 1.0f);
    EXPECT_NEAR(taper[33], 0.61f, 0.01f);
    EXPECT_NEAR(taper[99], 0.02f, 0.01f);
    EXPECT_TRUE(std::is_sorted(taper.rbegin(), taper.rend()));
}

TEST(AutoFilter, LearnsElevenPairsThenWeights)
{
    AutoFilter filter;
    filter.SetTaper(BuildAutoFilterTaper());
    filter.Clear();
    std::array<ComplexF, kSpectrumBins> sum{};
    sum[400] = {10.0f, 0.0f};
    sum[401] = {10.0f, 0.0f};
    std::array<ComplexF, kSpectrumBins> cross{};
    for (int pair = 0; pair < 11; ++pair) {
        cross.fill({1.0f, 1.0f});
        filter.Apply(sum.data(), cross.data());
        EXPECT_FALSE(filter.CentreFound());
        EXPECT_EQ(cross[0].re, 1.0f);
    }
    cross.fill({1.0f, 1.0f});
    filter.Apply(sum.data(), cross.data());  // the 12th pair fixes the centre, unweighted
    EXPECT_TRUE(filter.CentreFound());
    EXPECT_EQ(filter.Centre(), 401);  // bins 399..401 and 400..402 tie: the first wins
    EXPECT_FLOAT_EQ(filter.CentreEnergy(), 200.0f);
    EXPECT_EQ(cross[100].re, 1.0f);

    cross.fill({1.0f, 1.0f});
    filter.Apply(sum.data(), cross.data());
    EXPECT_EQ(cross[401].re, 1.0f);
    EXPECT_EQ(cross[300].re, 0.0f);
    EXPECT_GT(cross[302].re, 0.0f);
    EXPECT_EQ(cross[501].re, 0.0f);
    EXPECT_EQ(cross[0].re, 1.0f);  // bin 0 is left alone
}

TEST(AutoFilter, CentreNearTheTopWeightsBothSides)
{
    AutoFilter filter;
    filter.SetTaper(BuildAutoFilterTaper());
    std::array<ComplexF, kSpectrumBins> sum{};
    sum[1000] = {3.0f, 4.0f};
    filter.FindCentre(sum.data());
    EXPECT_EQ(filter.Centre(), 1000);
    std::array<ComplexF, kSpectrumBins> cross;
    cross.fill({2.0f, 2.0f});
    filter.Weight(cross.data());
    EXPECT_EQ(cross[900].re, 0.0f);
    EXPECT_GT(cross[901].re, 0.0f);
    EXPECT_GT(cross[1023].im, 0.0f);
    EXPECT_EQ(cross[1].re, 0.0f);
}

TEST(AutoFilter, NoEnergyKeepsTheOldCentre)
{
    AutoFilter filter;
    std::array<ComplexF, kSpectrumBins> sum{};
    filter.FindCentre(sum.data());
    EXPECT_EQ(filter.Centre(), 0);
}

}  // namespace
}  // namespace korvanta
