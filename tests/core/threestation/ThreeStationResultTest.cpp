#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/text/StringIds.h"
#include "core/threestation/CThreeStationResult.h"

namespace korvanta {
namespace {

// Sensors at red 0, blue l0 and yellow l0 + l1 on a pipe of velocity v, a leak at `leak` metres
// from red: each pair's delay is the arrival at its first sensor minus that at its second.
struct Geometry {
    float l0;
    float l1;
    double leak;
    double velocity;
};

CThreeStationResult ResultFor(const Geometry& g)
{
    CThreeStationResult result;
    const float l2 = g.l0 + g.l1;
    const std::array<float, 3> distances = {g.l0, g.l1, l2};
    for (int i = 0; i < 3; ++i) {
        result.SetPair(i, {i, 0.0f, distances[static_cast<size_t>(i)], 0, 0.0f});
    }
    const auto arrival = [&](double at) { return std::fabs(at - g.leak) / g.velocity; };
    const double red = arrival(0.0);
    const double blue = arrival(g.l0);
    const double yellow = arrival(l2);
    result.SetDelays(static_cast<float>(red - blue), static_cast<float>(blue - yellow),
                     static_cast<float>(red - yellow));
    result.Compute();
    return result;
}

struct PlaceCase {
    const char* name;
    Geometry geometry;
    bool valid;
    int32_t segment;
};

TEST(ThreeStationResult, VelocityAndLeakFollowFromTheDelaysAlone)
{
    const PlaceCase cases[] = {
        {"leak between red and blue", {100.0f, 200.0f, 40.0, 1000.0}, true, 0},
        {"leak between blue and yellow", {120.0f, 180.0f, 210.0, 1282.0}, true, 1},
        {"leak at blue", {100.0f, 200.0f, 100.0, 1000.0}, true, 2},
        {"leak near red", {500.0f, 700.0f, 3.0, 350.0}, true, 0},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Geometry& g = c.geometry;
        const CThreeStationResult result = ResultFor(g);
        const float l2 = g.l0 + g.l1;
        ASSERT_TRUE(result.IsComputable());
        EXPECT_NEAR(result.Velocity(), g.velocity, g.velocity * 1e-5);
        EXPECT_EQ(result.IsValid(), c.valid);
        EXPECT_EQ(result.Segment(), c.segment);
        const double tolerance = 1e-3 * l2;
        EXPECT_NEAR(result.RedYellow().fromFirst, g.leak, tolerance);
        EXPECT_NEAR(result.RedYellow().fromSecond, l2 - g.leak, tolerance);
        // A pair with the leak outside its span puts it at the sensor nearer the leak.
        EXPECT_NEAR(result.RedBlue().fromFirst, std::min<double>(g.leak, g.l0), tolerance);
        EXPECT_NEAR(result.RedBlue().fromSecond, g.l0 - std::min<double>(g.leak, g.l0), tolerance);
        EXPECT_NEAR(result.BlueYellow().fromFirst, std::max(0.0, g.leak - g.l0), tolerance);
        EXPECT_NEAR(result.BlueYellow().fromSecond, l2 - std::max<double>(g.leak, g.l0), tolerance);
    }
}

TEST(ThreeStationResult, TheWorkedExampleGivesItsNumbers)
{
    CThreeStationResult result;
    result.SetPair(0, {0, 0.0f, 100.0f, 0, 0.0f});
    result.SetPair(1, {1, 0.0f, 200.0f, 0, 0.0f});
    result.SetPair(2, {2, 0.0f, 300.0f, 0, 0.0f});
    result.SetDelays(-0.02f, -0.2f, -0.22f);
    EXPECT_FLOAT_EQ(result.Pair(0).ratio, -0.0002f);
    EXPECT_FLOAT_EQ(result.Pair(1).ratio, -0.001f);
    result.Compute();
    EXPECT_FLOAT_EQ(result.Velocity(), 1000.0f);
    EXPECT_NEAR(result.RedBlue().fromFirst, 40.0f, 1e-3);
    EXPECT_NEAR(result.RedBlue().fromSecond, 60.0f, 1e-3);
    EXPECT_NEAR(result.RedYellow().fromFirst, 40.0f, 1e-3);
    EXPECT_NEAR(result.RedYellow().fromSecond, 260.0f, 1e-3);
    EXPECT_NEAR(result.BlueYellow().fromFirst, 0.0f, 1e-3);
    EXPECT_NEAR(result.BlueYellow().fromSecond, 200.0f, 1e-3);
    EXPECT_TRUE(result.IsValid());
    EXPECT_EQ(result.Segment(), CThreeStationResult::kSegmentRedBlue);
}

TEST(ThreeStationResult, ALeakOutsideTheSensorsIsNotValidAndKeepsTheLastSegment)
{
    CThreeStationResult result = ResultFor({100.0f, 200.0f, 250.0, 1000.0});
    ASSERT_EQ(result.Segment(), CThreeStationResult::kSegmentBlueYellow);
    for (const double leak : {420.0, -35.0}) {
        SCOPED_TRACE(leak);
        const Geometry g{100.0f, 200.0f, leak, 1000.0};
        const float l2 = g.l0 + g.l1;
        const double red = std::fabs(leak) / g.velocity;
        const double blue = std::fabs(leak - g.l0) / g.velocity;
        const double yellow = std::fabs(leak - l2) / g.velocity;
        result.SetDelays(static_cast<float>(red - blue), static_cast<float>(blue - yellow),
                         static_cast<float>(red - yellow));
        result.Compute();
        EXPECT_TRUE(result.IsComputable());
        EXPECT_FALSE(result.IsValid());
        EXPECT_NEAR(result.Velocity(), 1000.0f, 0.1f);
        EXPECT_EQ(result.Segment(), CThreeStationResult::kSegmentBlueYellow);
    }
}

TEST(ThreeStationResult, DelaysOrDistancesWithoutAVelocityGiveNoResultAndNoInfinity)
{
    struct Case {
        const char* name;
        std::array<float, 3> distances;
        std::array<float, 3> delays;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"all delays zero", {100.0f, 200.0f, 300.0f}, {0.0f, 0.0f, 0.0f}},
        {"a distance of zero", {0.0f, 200.0f, 200.0f}, {-0.01f, -0.2f, -0.21f}},
        {"every distance zero", {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}},
        {"a delay that is not a number", {100.0f, 200.0f, 300.0f}, {nan, -0.2f, -0.22f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CThreeStationResult result;
        for (int i = 0; i < 3; ++i) {
            result.SetPair(i, {i, 0.0f, c.distances[static_cast<size_t>(i)], 0, 0.0f});
        }
        result.SetDelays(c.delays[0], c.delays[1], c.delays[2]);
        result.Compute();
        EXPECT_FALSE(result.IsComputable());
        EXPECT_FALSE(result.IsValid());
        EXPECT_EQ(result.Velocity(), 0.0f);
        EXPECT_TRUE(std::isfinite(result.RedYellow().fromFirst) && std::isfinite(result.RedYellow().fromSecond));
        EXPECT_EQ(result.PlausibilityNote(), str::kNoteCalculationImpossible);
    }
}

TEST(ThreeStationResult, TheNoteJudgesTheVelocityAgainstTheMaterial)
{
    struct Case {
        const char* name;
        double leak;
        float lower;
        float upper;
        float mean;
        uint32_t note;
    };
    // Measured at 1000 m/s on red 0, blue 100, yellow 300.
    const Case cases[] = {
        {"within the bounds", 40.0, 900.0f, 1400.0f, 1150.0f, 0},
        {"below the bounds", 40.0, 1100.0f, 1400.0f, 1250.0f, str::kNoteVelocityLow},
        {"above the bounds", 40.0, 500.0f, 900.0f, 700.0f, str::kNoteVelocityHigh},
        {"no material chosen", 40.0, 300.0f, 6000.0f, 0.0f, 0},
        // An empty velocity table leaves both bounds 0: nothing to judge by.
        {"empty velocity table", 40.0, 0.0f, 0.0f, 0.0f, 0},
        // Beyond yellow the result is not valid; a slower mean would put the leak inside every
        // span, so the measurement contradicts the material.
        {"not valid, mean says inside", 400.0, 400.0f, 1200.0f, 500.0f, str::kNoteCalculationImpossible},
        {"not valid, mean agrees outside", 400.0, 400.0f, 1200.0f, 1000.0f, 0},
        {"not valid without a material", 400.0, 300.0f, 6000.0f, 0.0f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CThreeStationResult result = ResultFor({100.0f, 200.0f, c.leak, 1000.0});
        result.SetVelocityBounds(c.lower, c.upper);
        result.SetMeanVelocity(c.mean);
        EXPECT_EQ(result.PlausibilityNote(), c.note);
    }
}

TEST(ThreeStationResult, TheBlockLiesAtItsOffsetsAndReadsBack)
{
    CThreeStationResult result = ResultFor({120.0f, 180.0f, 47.3, 1282.0});
    result.SetPair(1, {1, result.Pair(1).delay, 180.0f, 2, result.Pair(1).ratio});
    result.SetVelocityBounds(1089.0f, 1334.0f);
    result.SetMeanVelocity(1204.5f);
    const auto block = result.ToBlock(0xDEADBEEF);
    const auto floatAt = [&](size_t at) {
        float value;
        std::memcpy(&value, block.data() + at, 4);
        return value;
    };
    const auto intAt = [&](size_t at) {
        int32_t value;
        std::memcpy(&value, block.data() + at, 4);
        return value;
    };
    EXPECT_EQ(static_cast<uint32_t>(intAt(0)), 0xDEADBEEFu);
    EXPECT_EQ(intAt(24), 1);
    EXPECT_EQ(floatAt(32), 180.0f);
    EXPECT_EQ(intAt(36), 2);
    EXPECT_EQ(intAt(44), 2);
    EXPECT_EQ(floatAt(48), result.Pair(2).delay);
    EXPECT_EQ(floatAt(64), result.Velocity());
    EXPECT_EQ(block[68], 1);
    EXPECT_EQ(intAt(69), 0);
    EXPECT_EQ(floatAt(73), result.RedYellow().fromFirst);
    EXPECT_EQ(floatAt(85), result.RedBlue().fromSecond);
    EXPECT_EQ(floatAt(93), result.BlueYellow().fromSecond);
    EXPECT_EQ(floatAt(97), 1089.0f);
    EXPECT_EQ(floatAt(105), 1204.5f);
    EXPECT_EQ(block[109] | block[110] | block[111], 0);

    CThreeStationResult read;
    ASSERT_EQ(read.FromBlock(block), "");
    EXPECT_EQ(read.ToBlock(0xDEADBEEF), block);
    EXPECT_TRUE(read.IsValid());
    EXPECT_TRUE(read.IsComputable());
}

TEST(ThreeStationResult, ABlockNoMeasurementCanHaveIsRefusedAndChangesNothing)
{
    const CThreeStationResult good = ResultFor({100.0f, 200.0f, 40.0, 1000.0});
    const auto image = good.ToBlock();
    struct Damage {
        const char* name;
        size_t at;
        std::array<uint8_t, 4> bytes;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float negative = -5.0f;
    std::array<uint8_t, 4> nanBytes;
    std::array<uint8_t, 4> negativeBytes;
    std::memcpy(nanBytes.data(), &nan, 4);
    std::memcpy(negativeBytes.data(), &negative, 4);
    const Damage cases[] = {
        {"pair index out of order", 24, {2, 0, 0, 0}},
        {"correlation range 3", 16, {3, 0, 0, 0}},
        {"negative distance", 32, negativeBytes},
        {"delay not a number", 48, nanBytes},
        {"valid flag 2", 68, {2, 0, 0, 0}},
        {"segment 7", 69, {7, 0, 0, 0}},
        {"velocity not a number", 64, nanBytes},
        {"distance from red not a number", 81, nanBytes},
        {"mean not a number", 105, nanBytes},
    };
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.name);
        auto damaged = image;
        const size_t width = d.at == 68 ? 1 : 4;
        std::memcpy(damaged.data() + d.at, d.bytes.data(), width);
        CThreeStationResult result = ResultFor({120.0f, 180.0f, 200.0, 1200.0});
        const auto before = result.ToBlock();
        EXPECT_NE(result.FromBlock(damaged), "");
        EXPECT_EQ(result.ToBlock(), before);
    }
}

}  // namespace
}  // namespace korvanta
