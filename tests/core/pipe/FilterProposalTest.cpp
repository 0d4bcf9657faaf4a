#include <array>
#include <cstring>

#include <gtest/gtest.h>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/CPresetFilters.h"
#include "core/pipe/FilterProposal.h"
#include "core/text/StringIds.h"
#include "tests/core/pipe/PipeTestSupport.h"

namespace korvanta {
namespace {

using pipetest::Pipe;
using pipetest::RecordingMessageSink;
using pipetest::Section;
using pipetest::TempDir;

// Materials 0..3 with one band for every travel-time class, and material 5 with
// distinct bands per class.
class FilterProposalTest : public ::testing::Test {
protected:
    FilterProposalTest()
    {
        std::array<Material, kMaxMaterials> all{};
        SetBand(all[0], 100.0f, 800.0f);
        SetBand(all[1], 50.0f, 600.0f);
        SetBand(all[2], 100.0f, 0.0f);
        SetBand(all[3], 20.0f, 1000.0f);
        all[5].lowCutoffs[0] = 1.0f;
        all[5].lowCutoffs[1] = 2.0f;
        all[5].lowCutoffs[2] = 3.0f;
        db_.CopyIn(all);
        sink_.messages.clear();
        filters_.notches[2] = NotchFilter{49.0f, 51.0f};
        filters_.automatic = 1;
    }

    static void SetBand(Material& m, float low, float high)
    {
        m.inUse = 1;
        for (int k = 0; k < kFilterClasses; ++k) {
            m.lowCutoffs[k] = low;
            m.highCutoffs[k] = high;
        }
    }

    void ExpectCutoffs(float low, float high) const
    {
        EXPECT_EQ(filters_.lowCutoff, low);
        EXPECT_EQ(filters_.highCutoff, high);
    }

    void ExpectNotchesAndAutoKept() const
    {
        EXPECT_EQ(filters_.notches[2].high, 51.0f);
        EXPECT_EQ(filters_.automatic, 1);
    }

    TempDir dir_;
    RecordingMessageSink sink_;
    CMaterialDatabase db_{dir_.Path(), sink_};
    FilterSettings filters_;
};

TEST_F(FilterProposalTest, KeepsTheLowestLowAndTheHighestHigh)
{
    SetFiltersFromMaterials(Pipe({Section(0, 10.0f, 1000.0f), Section(1, 10.0f, 1000.0f)}), db_, filters_);
    ExpectCutoffs(50.0f, 800.0f);
    ExpectNotchesAndAutoKept();
    SetFiltersFromMaterials(Pipe({Section(1, 10.0f, 1000.0f), Section(3, 10.0f, 1000.0f)}), db_, filters_);
    ExpectCutoffs(20.0f, 1000.0f);
}

TEST_F(FilterProposalTest, AMaterialWithoutHighCutoffRemovesIt)
{
    SetFiltersFromMaterials(Pipe({Section(1, 10.0f, 1000.0f), Section(2, 10.0f, 1000.0f)}), db_, filters_);
    ExpectCutoffs(50.0f, 0.0f);
    // Once the first section has no high cut-off, later ones cannot bring it back.
    SetFiltersFromMaterials(Pipe({Section(2, 10.0f, 1000.0f), Section(0, 10.0f, 1000.0f), Section(3, 10.0f, 1000.0f)}),
                            db_, filters_);
    ExpectCutoffs(20.0f, 0.0f);
}

TEST_F(FilterProposalTest, UsesTheWholePipesTravelTimeClass)
{
    // Two sections of 0.06 s each: 0.12 s selects the middle class for both.
    SetFiltersFromMaterials(Pipe({Section(5, 60.0f, 1000.0f), Section(5, 60.0f, 1000.0f)}), db_, filters_);
    ExpectCutoffs(2.0f, 0.0f);
    SetFiltersFromMaterials(Pipe({Section(5, 300.0f, 1000.0f)}), db_, filters_);
    ExpectCutoffs(3.0f, 0.0f);
}

TEST_F(FilterProposalTest, AnEmptyPipeGetsNoCutoffs)
{
    filters_.lowCutoff = 10.0f;
    filters_.highCutoff = 20.0f;
    SetFiltersFromMaterials(PipeSections{}, db_, filters_);
    ExpectCutoffs(0.0f, 0.0f);
    ExpectNotchesAndAutoKept();
    EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(FilterProposalTest, AnUnknownMaterialProposesNothingAndSaysSo)
{
    SetFiltersFromMaterials(Pipe({Section(25, 10.0f, 1000.0f)}), db_, filters_);
    ExpectCutoffs(0.0f, 0.0f);
    ASSERT_EQ(sink_.messages.size(), 1u);
    EXPECT_EQ(sink_.messages[0].first, str::kMaterialLoadError);
}

TEST_F(FilterProposalTest, PresetsApplyOnlyToPipesOfOneMaterial)
{
    CPresetFilters presets;
    presets.LoadText("3, 15, 250\n3, 30, 0\n");
    EXPECT_TRUE(ApplyPreset(Pipe({Section(3, 10.0f, 400.0f), Section(3, 5.0f, 400.0f)}), presets, 1, filters_));
    ExpectCutoffs(30.0f, 0.0f);
    ExpectNotchesAndAutoKept();

    EXPECT_FALSE(ApplyPreset(Pipe({Section(3, 10.0f, 400.0f), Section(4, 5.0f, 400.0f)}), presets, 0, filters_));
    EXPECT_FALSE(ApplyPreset(PipeSections{}, presets, 0, filters_));
    ExpectCutoffs(30.0f, 0.0f);
}

TEST_F(FilterProposalTest, SetFiltersClearsTheWholeBlock)
{
    filters_.reserved[3] = 9;
    SetFilters(filters_, 350.0f, 0.0f);
    FilterSettings expected;
    expected.lowCutoff = 350.0f;
    EXPECT_EQ(std::memcmp(&filters_, &expected, sizeof expected), 0);
}

TEST(PresetFilters, LoadReadsTheFileOrReportsItMissing)
{
    TempDir dir;
    RecordingMessageSink sink;
    CPresetFilters presets;
    presets.LoadText("0, 1, 2\n");
    EXPECT_FALSE(presets.Load(dir.Path(), sink));
    EXPECT_EQ(sink.messages, (std::vector<std::pair<uint32_t, uint32_t>>{{str::kPresetFiltersMissing, kStyleStop}}));
    EXPECT_FALSE(presets.PresetExists(0, 0));

    pipetest::WriteFile(dir / "PresetFilters.fd",
                        "// presets\r\n8, 20, 300\r\n8, 0, 500\r\n8, 0, 0\r\n14, 5, 5\r\na, 400, 0\r\n");
    EXPECT_TRUE(presets.Load(dir.Path(), sink));
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(presets.Preset(8, 0), (CutoffPair{20.0f, 300.0f}));
    EXPECT_TRUE(presets.PresetExists(8, 1));
    EXPECT_FALSE(presets.PresetExists(8, 2));
    EXPECT_TRUE(presets.PresetExists(10, 0));
    EXPECT_EQ(presets.Preset(8, 10), (CutoffPair{}));
    EXPECT_EQ(presets.Preset(20, 0), (CutoffPair{}));
    EXPECT_EQ(presets.Preset(-1, 0), (CutoffPair{}));
    EXPECT_FALSE(presets.PresetExists(8, -1));
}

}  // namespace
}  // namespace korvanta
