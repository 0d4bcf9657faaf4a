// The leak's span of doubt: the delay's share and each section velocity's share, and which
// share a velocity carries.
#include <gtest/gtest.h>

#include <memory>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/PositionInterval.h"
#include "tests/core/pipe/PipeTestSupport.h"

namespace korvanta {
namespace {

using pipetest::Pipe;
using pipetest::Section;

TEST(PositionIntervalTest, SpansTheDelaysAndVelocitiesWithinTheirShares)
{
    // 100 m at 1000 m/s and a delay of 20 ms: the leak 60 m from the start, 10 m from the middle.
    const PipeSections pipe = Pipe({Section(2, 100.0f, 1000.0f)});
    VelocityShares none{};
    auto interval = ComputePositionInterval(pipe, 0.02f, 0.001, none);
    ASSERT_TRUE(interval);
    EXPECT_FLOAT_EQ(interval->fromStart, 60.0f);
    EXPECT_NEAR(interval->low, 59.5f, 1e-4);
    EXPECT_NEAR(interval->high, 60.5f, 1e-4);

    // A velocity 10 % off moves the place by 10 % of its distance from the middle.
    VelocityShares tenPercent{};
    tenPercent[0] = 0.1f;
    interval = ComputePositionInterval(pipe, 0.02f, 0.0, tenPercent);
    EXPECT_NEAR(interval->low, 59.0f, 1e-4);
    EXPECT_NEAR(interval->high, 61.0f, 1e-4);
    EXPECT_NEAR(interval->HalfWidth(), 1.0f, 1e-4);

    // Two sections may be off in opposite directions; the span is clamped to the pipe.
    const PipeSections mixed = Pipe({Section(2, 100.0f, 1000.0f), Section(3, 50.0f, 400.0f)});
    VelocityShares both{};
    both[0] = 0.03f;
    both[1] = 0.15f;
    interval = ComputePositionInterval(mixed, 0.2f, 0.01, both);
    EXPECT_LE(interval->low, interval->fromStart);
    EXPECT_GE(interval->high, interval->fromStart);
    EXPECT_LE(interval->high, 150.0f);
    EXPECT_FALSE(ComputePositionInterval(PipeSections{}, 0.0f, 0.001, none));
}

TEST(PositionIntervalTest, TableVelocitiesCarryTheirWallsShareAndOthersTheMeasuredOne)
{
    test::TempFolder folder;
    folder.AddDefaultDataFiles();
    pipetest::RecordingMessageSink sink;
    const auto materials = std::make_unique<CMaterialDatabase>(folder.Path(), sink);
    const float iron = materials->GetVelocityForDiameter(2, 158.0f);
    const float polyethylene = materials->GetVelocityForDiameter(3, 102.2f);
    ASSERT_GT(iron, 1000.0f);
    ASSERT_GT(polyethylene, 300.0f);
    const PipeSections pipe = Pipe({Section(2, 100.0f, iron, 158.0f), Section(3, 50.0f, polyethylene, 102.2f),
                                    Section(2, 100.0f, 1234.0f, 158.0f)});
    const VelocityShares shares = VelocitySharesFor(pipe, materials.get(), 0.01f);
    EXPECT_EQ(shares[0], kStiffWallShare);
    EXPECT_EQ(shares[1], kSoftWallShare);
    EXPECT_EQ(shares[2], 0.01f);
    EXPECT_EQ(shares[3], 0.0f);
    EXPECT_EQ(VelocitySharesFor(pipe, nullptr)[0], 0.02f) << "without a table every velocity counts as measured";
}

}  // namespace
}  // namespace korvanta
