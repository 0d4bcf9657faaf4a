#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

#include "core/pipe/LeakPosition.h"

namespace korvanta {
namespace {

PipeSections MakePipe(std::initializer_list<std::pair<float, float>> sections)
{
    PipeSections pipe{};
    int i = 0;
    for (const auto& [length, velocity] : sections) {
        pipe[i].length = length;
        pipe[i].velocity = velocity;
        pipe[i].diameter = 100.0f;
        pipe[i].inUse = 1;
        ++i;
    }
    return pipe;
}

TEST(LeakPosition, UniformPipe)
{
    const PipeSections pipe = MakePipe({{100.0f, 1000.0f}});
    LeakPosition p = ComputeLeakPosition(pipe, 0.02f);
    EXPECT_NEAR(p.fromStart, 60.0f, 1e-4f);
    EXPECT_NEAR(p.fromEnd, 40.0f, 1e-4f);
    p = ComputeLeakPosition(pipe, 0.0f);
    EXPECT_FLOAT_EQ(p.fromStart, p.fromEnd);
}

TEST(LeakPosition, WalksSectionsWithTheirOwnVelocities)
{
    const PipeSections pipe = MakePipe({{100.0f, 1000.0f}, {100.0f, 500.0f}});
    const LeakPosition p = ComputeLeakPosition(pipe, 0.0f);
    EXPECT_NEAR(p.fromStart, 125.0f, 1e-3f);
    EXPECT_NEAR(p.fromEnd, 75.0f, 1e-3f);
}

TEST(LeakPosition, OutsideThePipeIsClampedToItsEnds)
{
    const PipeSections pipe = MakePipe({{100.0f, 1000.0f}, {100.0f, 500.0f}});
    LeakPosition p = ComputeLeakPosition(pipe, -0.31f);
    EXPECT_EQ(p.fromStart, 0.0f);
    EXPECT_FLOAT_EQ(p.fromEnd, 200.0f);
    p = ComputeLeakPosition(pipe, 0.5f);
    EXPECT_GT(p.fromStart, 200.0f);  // no upper bound here: the view checks outside first
    EXPECT_EQ(p.fromEnd, 0.0f);
    EXPECT_TRUE(IsLeakOutsidePipe(pipe, 0.3f));
    EXPECT_TRUE(IsLeakOutsidePipe(pipe, -0.31f));
    EXPECT_FALSE(IsLeakOutsidePipe(pipe, 0.29f));
    EXPECT_FALSE(IsLeakOutsidePipe(PipeSections{}, 1.0f));
}

TEST(LeakPosition, TinyOrEmptyPipe)
{
    LeakPosition p = ComputeLeakPosition(MakePipe({{0.005f, 1000.0f}}), 0.0f);
    EXPECT_EQ(p.fromStart, 0.0f);
    EXPECT_FLOAT_EQ(p.fromEnd, 0.005f);
    p = ComputeLeakPosition(PipeSections{}, 0.1f);
    EXPECT_EQ(p.fromStart, 0.0f);
    EXPECT_EQ(p.fromEnd, 0.0f);
}

TEST(LeakPosition, SectionWithoutVelocityStaysFinite)
{
    for (const float bad : {0.0f, -300.0f, NAN}) {
        const PipeSections pipe = MakePipe({{100.0f, 1000.0f}, {50.0f, bad}, {100.0f, 1000.0f}});
        for (const float delay : {-0.1f, 0.0f, 0.05f, 0.3f}) {
            const LeakPosition p = ComputeLeakPosition(pipe, delay);
            EXPECT_TRUE(std::isfinite(p.fromStart) && std::isfinite(p.fromEnd)) << bad << " " << delay;
            EXPECT_GE(p.fromEnd, 0.0f);
            EXPECT_LE(p.fromEnd, 250.0f);
        }
    }
}

}  // namespace
}  // namespace korvanta
