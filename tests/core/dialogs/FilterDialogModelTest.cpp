#include <gtest/gtest.h>

#include <string>

#include "core/dialogs/FilterDialogModel.h"
#include "core/dialogs/FrequencyScale.h"
#include "core/dialogs/SpectrumGraph.h"
#include "core/text/StringIds.h"

namespace korvanta {
namespace {

FilterSettings Band(float low, float high)
{
    FilterSettings settings;
    settings.lowCutoff = low;
    settings.highCutoff = high;
    return settings;
}

TEST(FrequencyEditText, CleaningKeepsDigitsAndPointsAndMovesTheCaret)
{
    struct Case {
        const char* typed;
        int caret;
        const char* text;
        int cleanedCaret;
        float value;
        bool selectAll;
    };
    for (const Case& c : {Case{"12a5", 4, "125", 3, 125.0f, false}, Case{"1a2", 2, "12", 1, 12.0f, false},
                          Case{"ø50", 1, "50", 0, 50.0f, false},  // one character of two bytes
                          Case{"12.5.1", 6, "12.5.1", 6, 12.5f, false}, Case{"", 0, "0", 0, 0.0f, false},
                          Case{"abc", 3, "0", 0, 0.0f, false}, Case{"-40", 3, "40", 2, 40.0f, false},
                          Case{"1220", 4, "Høj", 3, 1220.0f, true}, Case{"99999", 2, "Høj", 3, 1220.0f, true},
                          Case{"1219.9", 6, "1219.9", 6, 1219.9f, false}}) {
        const CleanedFrequency cleaned = FrequencyEditText::Clean(c.typed, c.caret);
        EXPECT_EQ(cleaned.text, c.text) << c.typed;
        EXPECT_EQ(cleaned.caret, c.cleanedCaret) << c.typed;
        EXPECT_FLOAT_EQ(cleaned.value, c.value) << c.typed;
        EXPECT_EQ(cleaned.selectAll, c.selectAll) << c.typed;
    }
    EXPECT_EQ(FrequencyEditText::Show(0.0f), "");
    EXPECT_EQ(FrequencyEditText::Show(49.6f), "50");
    EXPECT_EQ(FrequencyEditText::Show(1220.0f), "Høj");
}

TEST(FilterDialogModel, ARewrittenTextIsNotReadAsNewInput)
{
    FilterDialogModel model(FilterSettings{});
    const auto first = model.EditChanged(FrequencyEdit::High, "1500", 4);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, "Høj");
    EXPECT_EQ(model.Working().highCutoff, 1220.0f);
    // The dialog writes "Høj" back and its own change notice comes in: ignored, so the value
    // does not drop to 0 (cleaning "Høj" would leave no digit).
    EXPECT_FALSE(model.EditChanged(FrequencyEdit::High, "Høj", 3));
    EXPECT_EQ(model.Working().highCutoff, 1220.0f);
    // A real edit of it is read again.
    ASSERT_TRUE(model.EditChanged(FrequencyEdit::High, "600", 3));
    EXPECT_EQ(model.Working().highCutoff, 600.0f);

    model.SetAutomatic(true);
    EXPECT_EQ(model.Text(FrequencyEdit::Low), "AUTO");
    EXPECT_FALSE(model.EditChanged(FrequencyEdit::Low, "AUTO", 4));
    model.SetAutomatic(false);
    EXPECT_EQ(model.Text(FrequencyEdit::High), "600");
}

TEST(FilterDialogModel, ApplyChecksTheBandAndTheCurrentNotch)
{
    struct Case {
        float low, high;
        std::vector<uint32_t> messages;
    };
    for (const Case& c :
         {Case{300.0f, 0.0f, {}}, Case{300.0f, 300.0f, {}}, Case{300.0f, 299.0f, {str::kHighBelowLowCutoff}}}) {
        FilterDialogModel model(Band(c.low, c.high));
        EXPECT_EQ(model.Apply(), c.messages) << c.low << " " << c.high;
        EXPECT_EQ(model.Applied().lowCutoff, c.messages.empty() ? c.low : 0.0f);
    }

    FilterDialogModel model(Band(300.0f, 200.0f));
    ASSERT_TRUE(model.AddNotch().done);
    EXPECT_EQ(model.Apply(), (std::vector<uint32_t>{str::kHighBelowLowCutoff, str::kNotchNeedsHighCutoff}));
    model.EditChanged(FrequencyEdit::High, "0", 1);
    model.EditChanged(FrequencyEdit::NotchLow, "60", 2);
    model.EditChanged(FrequencyEdit::NotchHigh, "40", 2);
    EXPECT_EQ(model.Apply(), std::vector<uint32_t>{str::kNotchLowAboveHigh});
    model.EditChanged(FrequencyEdit::NotchHigh, "70", 2);
    EXPECT_TRUE(model.Apply().empty());
    EXPECT_EQ(model.Applied().notches[0].low, 60.0f);
    EXPECT_EQ(model.Applied().notches[0].high, 70.0f);
}

TEST(FilterDialogModel, TheAutomaticFilterReturnsOnlyItsFlag)
{
    FilterSettings settings = Band(100.0f, 600.0f);
    settings.notches[0] = {45.0f, 55.0f};
    FilterDialogModel model(settings);
    model.SetAutomatic(true);
    EXPECT_FALSE(model.Controls().addNotch);
    EXPECT_FALSE(model.Controls().cutoffEditsWritable);
    EXPECT_TRUE(model.Apply().empty());
    EXPECT_EQ(model.Applied().automatic, 1);
    EXPECT_EQ(model.Applied().lowCutoff, 0.0f);
    EXPECT_EQ(model.Applied().notches[0].high, 0.0f);
    // Switching it off again brings the kept values back.
    model.SetAutomatic(false);
    EXPECT_EQ(model.SelectedNotch(), 0);
    EXPECT_EQ(model.Text(FrequencyEdit::NotchHigh), "55");
    EXPECT_TRUE(model.Controls().notchRadio[0]);
    EXPECT_FALSE(model.Controls().notchRadio[1]);
}

TEST(FilterDialogModel, FiveNotchesAtMostAndDeletingMakesRoom)
{
    FilterDialogModel model(FilterSettings{});
    for (int k = 0; k < kNotchCount; ++k) {
        ASSERT_TRUE(model.AddNotch().done) << k;
        model.EditChanged(FrequencyEdit::NotchLow, std::to_string(100 * (k + 1)), 3);
        model.EditChanged(FrequencyEdit::NotchHigh, std::to_string(100 * (k + 1) + 10), 3);
    }
    EXPECT_FALSE(model.Controls().addNotch);
    EXPECT_FALSE(model.AddNotch().done);

    ASSERT_TRUE(model.SelectNotch(1).done);
    EXPECT_EQ(model.SliderPosition(), FrequencyScale::SliderPosition(200.0f));
    EXPECT_EQ(model.CursorText(), "200");
    ASSERT_TRUE(model.DeleteNotch().done);
    EXPECT_TRUE(model.Controls().addNotch);
    EXPECT_FALSE(model.Controls().notchRadio[4]);
    EXPECT_EQ(model.SelectedNotch(), 0);
    EXPECT_EQ(model.NotchCount(), 4);
    EXPECT_EQ(model.Working().notches[1].low, 300.0f);
    EXPECT_EQ(model.Working().notches[4].high, 0.0f);
}

TEST(FilterDialogModel, AnUnfinishedNotchKeepsTheSelection)
{
    FilterSettings settings;
    settings.notches[0] = {45.0f, 55.0f};
    FilterDialogModel model(settings);
    ASSERT_TRUE(model.AddNotch().done);  // notch 2, still without a high value
    EXPECT_EQ(model.SelectNotch(0).message, str::kNotchNeedsHighCutoff);
    EXPECT_EQ(model.SelectedNotch(), 1);
    EXPECT_EQ(model.AddNotch().message, str::kNotchNeedsHighCutoff);
    ASSERT_TRUE(model.DeleteNotch().done);
    EXPECT_EQ(model.SelectedNotch(), 0);
    ASSERT_TRUE(model.DeleteNotch().done);
    EXPECT_EQ(model.SelectedNotch(), -1);
    EXPECT_FALSE(model.Controls().deleteNotch);
    EXPECT_FALSE(model.Controls().notchEditsWritable);
    EXPECT_EQ(model.DeleteNotch().message, str::kSelectNotchFilter);
}

TEST(FilterDialogModel, NotchesWithGapsFromAFileAreReachable)
{
    FilterSettings settings;
    settings.notches[3] = {45.0f, 55.0f};
    FilterDialogModel model(settings);
    EXPECT_EQ(model.NotchCount(), 1);
    EXPECT_EQ(model.Working().notches[0].high, 55.0f);
    EXPECT_TRUE(model.Controls().notchRadio[0]);
}

TEST(FilterDialogModel, ClearAllEmptiesBothSettingsAndTheControls)
{
    FilterSettings settings = Band(100.0f, 600.0f);
    settings.notches[0] = {45.0f, 55.0f};
    FilterDialogModel model(settings);
    model.MoveSlider(200);
    model.ClearAll();
    EXPECT_EQ(model.Applied().highCutoff, 0.0f);
    EXPECT_EQ(model.Working().notches[0].high, 0.0f);
    EXPECT_EQ(model.NotchCount(), 0);
    EXPECT_EQ(model.SelectedNotch(), -1);
    EXPECT_EQ(model.Cursor(), 0);
    EXPECT_TRUE(model.Controls().addNotch);
    EXPECT_FALSE(model.Controls().notchRadio[0]);
    EXPECT_EQ(model.Text(FrequencyEdit::Low), "");
}

TEST(FilterDialogModel, CursorScaleAndCopiesIntoTheCutoffs)
{
    EXPECT_EQ(FrequencyScale::PositionToHz(503), 1220);
    EXPECT_EQ(FrequencyScale::PositionToHz(1), 2);
    EXPECT_EQ(FrequencyScale::SliderPosition(1220.0f), 503);
    EXPECT_EQ(FrequencyScale::SliderPosition(1e30f), 503);
    EXPECT_EQ(FrequencyScale::EdgeColumn(100.0f), 41);   // 41.23 rounds down
    EXPECT_EQ(FrequencyScale::EdgeColumn(600.0f), 247);  // 247.38

    FilterDialogModel model(FilterSettings{});
    model.MoveSlider(503);
    EXPECT_EQ(model.CursorText(), "1220");
    model.ClickColumn(41);
    EXPECT_EQ(model.SliderPosition(), 41);
    EXPECT_EQ(model.CursorText(), "99");
    model.CopyCursorToLowCutoff();
    EXPECT_EQ(model.Text(FrequencyEdit::Low), "99");
    EXPECT_EQ(model.Working().lowCutoff, 99.0f);
    model.ClickColumn(9999);
    EXPECT_EQ(model.Cursor(), 503);
}

TEST(FilterDialogModel, GreyColumnsFollowTheAppliedSettingsOnly)
{
    FilterSettings settings = Band(100.0f, 600.0f);
    settings.notches[0] = {200.0f, 300.0f};  // columns 82 and 124
    FilterDialogModel model(settings);
    struct Case {
        int column;
        bool removed;
    };
    for (const Case& c : {Case{40, true}, Case{41, false}, Case{82, false}, Case{83, true}, Case{123, true},
                          Case{124, false}, Case{247, false}, Case{248, true}}) {
        EXPECT_EQ(model.IsColumnRemoved(c.column), c.removed) << c.column;
    }
    // Editing changes the working settings; the bands move only with a successful apply.
    model.EditChanged(FrequencyEdit::Low, "0", 1);
    EXPECT_TRUE(model.IsColumnRemoved(40));
    ASSERT_TRUE(model.Apply().empty());
    EXPECT_FALSE(model.IsColumnRemoved(40));
}

TEST(SpectrumGraph, SegmentsJoinNeighbouringColumnsInTheStationsColours)
{
    const std::vector<int32_t> heights = {0, 10, 20, 5};
    const auto segments = SpectrumGraph::Segments(heights, 504, 100, 0xFF0000, [](int i) { return i == 1; });
    ASSERT_EQ(segments.size(), 3u);  // the last height has no successor
    EXPECT_EQ(segments[0].y0, 99);
    EXPECT_EQ(segments[0].y1, 89);
    EXPECT_EQ(segments[1].colour, SpectrumGraph::kRemovedColour);
    EXPECT_EQ(segments[2].colour, 0xFF0000u);
    EXPECT_EQ(SpectrumGraph::Segments(heights, 2, 100, 0, nullptr).size(), 2u);

    EXPECT_EQ(SpectrumGraph::UpperColour(6), 0x0000FFu);
    EXPECT_EQ(SpectrumGraph::LowerColour(6), 0xFF0000u);
    EXPECT_EQ(SpectrumGraph::UpperColour(10), 0xFFCC00u);
    EXPECT_EQ(SpectrumGraph::UpperColour(5), 0x000000u);
    EXPECT_EQ(SpectrumGraph::LowerColour(5), 0x0000FFu);
    EXPECT_EQ(SpectrumGraph::LowerColour(9), 0xFFCC00u);
    EXPECT_EQ(SpectrumGraph::LowerColour(7), 0x000000u);
}

}  // namespace
}  // namespace korvanta

namespace korvanta {
namespace {

// Coherence 0.9 from `lowHz` to `highHz` over 20 pairs, the noise floor elsewhere.
CoherenceSpectrum CoherentBetween(double lowHz, double highHz)
{
    CoherenceSpectrum coherence;
    coherence.pairs = 20;
    for (int bin = 0; bin < kSpectrumBins; ++bin) {
        const double hz = BinFrequency(bin);
        coherence.values[static_cast<size_t>(bin)] = hz >= lowHz && hz <= highHz ? 0.9f : 0.05f;
    }
    return coherence;
}

TEST(FilterDialogModelTest, TheCoherenceProposesTheBandOrSaysWhyNot)
{
    struct Case {
        const char* name;
        CoherenceSpectrum coherence;
        uint32_t message;
    };
    CoherenceSpectrum floorOnly = CoherentBetween(0.0, -1.0);
    const Case cases[] = {
        {"none stored", CoherenceSpectrum{}, str::kNoCoherenceStored},
        {"no band stands out", floorOnly, str::kNoCoherentBand},
        {"200 to 600 Hz", CoherentBetween(200.0, 600.0), str::kNoError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterDialogModel model(Band(50.0f, 900.0f), c.coherence);
        model.SetAutomatic(true);
        const EditOutcome outcome = model.ProposeFromCoherence();
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(outcome.done, c.message == str::kNoError);
        EXPECT_EQ(model.CoherenceKnown(), c.coherence.IsKnown());
        EXPECT_EQ(model.CoherenceColumns().size(), c.coherence.IsKnown() ? size_t{FrequencyScale::kPositions} : 0u);
        if (!outcome.done) {
            EXPECT_EQ(model.Working().automatic, 1) << "a refusal leaves the settings as they were";
            continue;
        }
        EXPECT_EQ(model.Working().automatic, 0);
        EXPECT_FALSE(model.Controls().automaticChecked);
        EXPECT_TRUE(model.Controls().cutoffEditsWritable);
        EXPECT_NEAR(model.Working().lowCutoff, 200.0f, 5.0f);
        EXPECT_NEAR(model.Working().highCutoff, 600.0f, 5.0f);
        EXPECT_NEAR(std::stof(model.Text(FrequencyEdit::Low)), model.Working().lowCutoff, 1.0f) << "the edits show it";
        EXPECT_TRUE(model.Apply().empty()) << "the proposal is a band the dialog takes";
        EXPECT_EQ(model.Applied().highCutoff, model.Working().highCutoff);
        const std::vector<float> columns = model.CoherenceColumns();
        EXPECT_GT(columns[static_cast<size_t>(FrequencyScale::SliderPosition(400.0f))], 0.8f);
        EXPECT_LT(columns[static_cast<size_t>(FrequencyScale::SliderPosition(1000.0f))], 0.05f);
    }
}

}  // namespace
}  // namespace korvanta
