// The pipe strip's bands, the material text, the filter summary, the block-count and the
// elapsed-time texts.
#include <gtest/gtest.h>

#include "core/pipe/CMaterialDatabase.h"
#include "core/result/ResultTexts.h"
#include "core/view/FilterSummary.h"
#include "core/view/PipeLayoutStrip.h"
#include "tests/core/document/DocumentTestSupport.h"

namespace korvanta {
namespace {

using doctest::Section;

TEST(PipeLayoutStripTest, SectionsShareTheWidthAndTheLastColourFillsTheRest)
{
    PipeSections pipe{};
    pipe[0] = Section(0, 100.0f, 1000.0f);
    pipe[1] = Section(7, 50.0f, 1000.0f);
    pipe[2] = Section(19, 50.1f, 1000.0f);
    // scale = 625 / 200.1: 312.34, 156.17 and 156.48 pixels, truncated.
    const std::vector<StripBand> bands = LayOutPipeStrip(pipe, 625);
    const std::vector<StripBand> expected = {
        {0, 312, {187, 0, 0}},
        {312, 156, {255, 153, 0}},
        {468, 156, {255, 51, 153}},
        {624, 1, {255, 51, 153}},
    };
    EXPECT_EQ(bands, expected);
}

TEST(PipeLayoutStripTest, EdgeCases)
{
    EXPECT_TRUE(LayOutPipeStrip(PipeSections{}, 625).empty());

    // Below 0.01 m the pipe scales as 0.01 m: 0.005 m is half the strip.
    PipeSections tiny{};
    tiny[0] = Section(3, 0.005f, 1000.0f);
    const std::vector<StripBand> half = LayOutPipeStrip(tiny, 100);
    ASSERT_EQ(half.size(), 2u);
    EXPECT_EQ(half[0], (StripBand{0, 50, {255, 0, 0}}));
    EXPECT_EQ(half[1], (StripBand{50, 50, {255, 0, 0}}));

    // A damaged length never draws outside the strip, and an unknown material is grey.
    PipeSections damaged{};
    damaged[0] = Section(25, 1.0e30f, 1000.0f);
    damaged[1] = Section(1, -5.0f, 1000.0f);
    const std::vector<StripBand> bands = LayOutPipeStrip(damaged, 100);
    int covered = 0;
    for (const StripBand& band : bands) {
        EXPECT_GE(band.width, 0);
        EXPECT_EQ(band.x, covered);
        covered += band.width;
    }
    EXPECT_EQ(covered, 100);
    EXPECT_EQ(bands.front().colour, (Rgb{200, 200, 200}));
}

TEST(ResultTextsTest, MaterialText)
{
    doctest::DataFolder folder;
    NullMessageSink messages;
    CMaterialDatabase materials(folder.Path(), messages);
    PipeSections pipe{};
    EXPECT_EQ(MaterialText(pipe, materials), "");
    pipe[0] = Section(2, 10.0f, 1000.0f);
    EXPECT_EQ(MaterialText(pipe, materials), materials.MaterialName(2));
    EXPECT_FALSE(MaterialText(pipe, materials).empty());
    pipe[1] = Section(2, 10.0f, 1000.0f);
    EXPECT_EQ(MaterialText(pipe, materials), materials.MaterialName(2));
    pipe[1] = Section(5, 10.0f, 1000.0f);
    EXPECT_EQ(MaterialText(pipe, materials), "Blandet");
}

TEST(ResultTextsTest, CountsAndTimes)
{
    EXPECT_EQ(BlockCountText(0), "0:1");
    EXPECT_EQ(BlockCountText(14), "14:1");
    EXPECT_EQ(ElapsedTimeText(0), "00:00:00");
    EXPECT_EQ(ElapsedTimeText(3 * 3600 + 7 * 60 + 9), "03:07:09");
    EXPECT_EQ(ElapsedTimeText(25 * 3600), "01:00:00");  // the clock's hours wrap at 24
    EXPECT_EQ(ElapsedTimeText(-5), "00:00:00");
}

TEST(FilterSummaryTest, Texts)
{
    struct Case {
        float low, high;
        bool automatic;
        int notches;
        FilterSummary expected;
    };
    const Case cases[] = {
        {200.0f, 800.0f, true, 2, {"AUTO", "AUTO", "ON", "OFF"}},
        {0.0f, 0.0f, false, 0, {"Åben", "Åben", "OFF", "OFF"}},
        {349.6f, 1219.9f, false, 1, {"350", "1220", "OFF", "ON"}},
        {1220.0f, 5000.0f, false, 0, {"Høj", "Høj", "OFF", "OFF"}},
        {-3.0f, 0.4f, false, 0, {"Åben", "0", "OFF", "OFF"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SummariseFilters(c.low, c.high, c.automatic, c.notches), c.expected) << c.low << " " << c.high;
    }
}

}  // namespace
}  // namespace korvanta
