#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/pipe/Pipe.h"
#include "tests/core/pipe/PipeTestSupport.h"

namespace korvanta {
namespace {

using pipetest::Pipe;
using pipetest::Section;

// A one-section pipe whose travel time is exactly `seconds`.
PipeSections PipeWithTravelTime(float seconds)
{
    return Pipe({Section(0, seconds, 1.0f)});
}

// The smallest float travel time whose product with 1.1f is exactly `limit`.
float TravelTimeGiving(float limit)
{
    float t = limit / kTravelTimeMargin;
    for (int step = 0; step < 64; ++step) {
        const float product = t * kTravelTimeMargin;
        if (product == limit) {
            while (std::nextafter(t, 0.0f) * kTravelTimeMargin == limit)
                t = std::nextafter(t, 0.0f);
            return t;
        }
        t = std::nextafter(t, product < limit ? 10.0f : 0.0f);
    }
    return std::numeric_limits<float>::quiet_NaN();
}

TEST(PipeModel, EmptyPipeHasNoLengthOrTravelTime)
{
    const PipeSections pipe{};
    EXPECT_EQ(GetSectionCount(pipe), 0);
    EXPECT_EQ(GetTotalLength(pipe), 0.0f);
    EXPECT_EQ(GetTravelTime(pipe), 0.0f);
    EXPECT_FALSE(HasMixedMaterials(pipe));
    uint32_t range = 2;
    EXPECT_FALSE(SelectRange(pipe, range));
    EXPECT_EQ(range, 2u);
}

TEST(PipeModel, OnlyInUseOneCountsAndSectionsAreReadFromTheFront)
{
    PipeSections pipe = Pipe({Section(1, 100.0f, 1000.0f), Section(1, 50.0f, 500.0f)});
    pipe[2] = Section(1, 1000.0f, 1.0f);
    pipe[2].inUse = 2;  // absent
    EXPECT_EQ(GetSectionCount(pipe), 2);
    EXPECT_FLOAT_EQ(GetTotalLength(pipe), 150.0f);
    EXPECT_FLOAT_EQ(GetTravelTime(pipe), 0.2f);

    // A stray in-use flag further down counts, but the sums still use entries 0..n-1.
    pipe[5] = Section(1, 7.0f, 1.0f);
    EXPECT_EQ(GetSectionCount(pipe), 3);
    EXPECT_FLOAT_EQ(GetTotalLength(pipe), 1150.0f);
}

TEST(PipeModel, TravelTimeIgnoresSectionsWithoutAUsableVelocity)
{
    for (float bad : {0.0f, -300.0f, std::numeric_limits<float>::quiet_NaN(), 1e-45f}) {
        const PipeSections pipe = Pipe({Section(0, 100.0f, 1000.0f), Section(0, 1e30f, bad)});
        const float t = GetTravelTime(pipe);
        EXPECT_TRUE(std::isfinite(t)) << bad;
        EXPECT_FLOAT_EQ(t, 0.1f) << bad;
    }
}

TEST(PipeModel, MixedMaterialsCompareEverySectionWithTheFirst)
{
    EXPECT_FALSE(HasMixedMaterials(Pipe({Section(999, 10.0f, 1000.0f)})));
    EXPECT_FALSE(HasMixedMaterials(Pipe({Section(4, 10.0f, 1000.0f), Section(4, 10.0f, 1000.0f)})));
    EXPECT_TRUE(
        HasMixedMaterials(Pipe({Section(4, 10.0f, 1000.0f), Section(4, 10.0f, 1000.0f), Section(2, 10.0f, 1000.0f)})));
    // Only sections in use count.
    PipeSections pipe = Pipe({Section(4, 10.0f, 1000.0f)});
    pipe[1] = Section(2, 10.0f, 1000.0f);
    pipe[1].inUse = 0;
    EXPECT_FALSE(HasMixedMaterials(pipe));
}

TEST(PipeModel, SelectRangeLimitsAreSinglePrecisionAndExclusive)
{
    const float limits[] = {kRangeLimit0, kRangeLimit1, kRangeLimit2};
    for (uint32_t k = 0; k < 3; ++k) {
        const float atLimit = TravelTimeGiving(limits[k]);
        ASSERT_FALSE(std::isnan(atLimit)) << k;
        uint32_t range = 7;
        EXPECT_TRUE(SelectRange(PipeWithTravelTime(std::nextafter(atLimit, 0.0f)), range));
        EXPECT_EQ(range, k) << "just below limit " << k;
        range = 7;
        const bool set = SelectRange(PipeWithTravelTime(atLimit), range);
        if (k < 2) {
            EXPECT_TRUE(set);
            EXPECT_EQ(range, k + 1) << "at limit " << k;
        } else {
            EXPECT_FALSE(set);
            EXPECT_EQ(range, 7u);
        }
    }
}

TEST(PipeModel, SelectRangeKeepsTheRangeForAVeryLongPipe)
{
    uint32_t range = 1;
    EXPECT_FALSE(SelectRange(PipeWithTravelTime(3.0f / 1.1f), range));
    EXPECT_EQ(range, 1u);
    EXPECT_TRUE(SelectRange(PipeWithTravelTime(0.05f), range));
    EXPECT_EQ(range, 0u);
}

}  // namespace
}  // namespace korvanta
