// The result side of the view against a real document and engine: the cursor after a
// measurement, its moves, zoom, peak delimitation, units, the preset list and the hints.
#include <gtest/gtest.h>

#include <cmath>

#include "ViewModelTestSupport.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"

namespace korvanta {
namespace {

using viewtest::ViewRig;
using Move = CorrelationDisplay::CursorMove;

class CorrelationDisplayTest : public testing::Test {
protected:
    void SetUp() override
    {
        rig_.LayPipe();
        rig_.Measure();
        ASSERT_TRUE(rig_.Doc().IsResultValid());
        rig_.doc.messages.shown.clear();
    }
    const CorrelationDisplay& display() { return rig_.Display(); }
    CorrelationDisplay& edit() { return rig_.model->Display(); }

    ViewRig rig_;
};

TEST_F(CorrelationDisplayTest, AfterAMeasurementTheCursorSitsOnThePeakWithItsDistances)
{
    EXPECT_TRUE(display().GraphShown());
    EXPECT_TRUE(display().Cursor().OnPeak());
    EXPECT_NEAR(rig_.Doc().GetDelay(), viewtest::kLeakDelay, kLagSeconds);
    EXPECT_EQ(display().Cursor().Column(), 273);  // 0.05 s is 36.96 columns left of 310
    EXPECT_EQ(display().DelayText(), "-0.0500");
    EXPECT_EQ(display().Distances().sensor1, "75.0 m");
    EXPECT_EQ(display().Distances().sensor2, "125.0 m");
    EXPECT_EQ(display().BlockCountText(), "6:1");
    // 0.2 s of travel time is 147.8 columns either side of the centre.
    EXPECT_EQ(display().Cursor().Limits(), (ColumnWindow{162, 457}));
    EXPECT_FALSE(display().CursorOutside());
}

TEST_F(CorrelationDisplayTest, CursorMovesKeepDelayAndDistancesInStep)
{
    ASSERT_TRUE(edit().MoveCursor(Move::StepRight));
    EXPECT_EQ(display().Cursor().Column(), 274);
    EXPECT_FALSE(display().Cursor().OnPeak());
    ASSERT_TRUE(edit().MoveCursor(Move::LeftLimit));
    EXPECT_EQ(display().Distances().sensor1, "0.0 m");
    EXPECT_EQ(display().Distances().sensor2, "200.0 m");
    EXPECT_FALSE(display().CursorOutside());  // on the limit: still drawn as inside
    ASSERT_TRUE(edit().MoveCursor(Move::StepLeft));
    EXPECT_TRUE(display().CursorOutside());
    ASSERT_TRUE(edit().MoveCursor(Move::RightLimit));
    EXPECT_EQ(display().Distances().sensor1, "200.0 m");
    EXPECT_EQ(display().Distances().sliderPosition, display().LayoutWidth());
    ASSERT_TRUE(edit().ClickColumn(310));
    EXPECT_EQ(display().Distances().sensor1, "100.0 m");
    EXPECT_FALSE(edit().ClickColumn(620));
    ASSERT_TRUE(edit().CursorToPeak());
    EXPECT_EQ(display().Cursor().Column(), 273);
    EXPECT_EQ(display().DelayText(), "-0.0500");
}

TEST_F(CorrelationDisplayTest, NothingMovesWhileMeasuring)
{
    rig_.Control().StartStop();
    ASSERT_TRUE(rig_.Doc().IsMeasuring());
    EXPECT_FALSE(edit().MoveCursor(Move::StepRight));
    EXPECT_FALSE(edit().ClickColumn(300));
    EXPECT_FALSE(edit().CursorToPeak());
    EXPECT_FALSE(edit().ZoomIn());
    EXPECT_FALSE(display().DelimitationButtons().setPoint);
}

TEST_F(CorrelationDisplayTest, ZoomInAndOut)
{
    const float delay = display().Cursor().Delay();
    ASSERT_TRUE(edit().ZoomIn());
    EXPECT_EQ(display().Zoom(), 2u);
    EXPECT_FALSE(display().LimitButtonsEnabled());
    EXPECT_FALSE(display().DelimitationButtons().setPoint);
    EXPECT_EQ(display().Cursor().Limits(), (ColumnWindow{0, 619}));
    EXPECT_FLOAT_EQ(display().Cursor().Delay(), delay);
    // The engine put the point under the cursor at its new column: the peak is under it.
    const std::span<const int32_t> trace = rig_.Doc().TraceBuffer();
    const auto peak = std::max_element(trace.begin(), trace.end()) - trace.begin();
    EXPECT_NEAR(display().Cursor().Column(), peak, 2);
    // A step now moves half a column's delay.
    ASSERT_TRUE(edit().MoveCursor(Move::StepRight));
    EXPECT_NEAR(display().Cursor().Delay(), delay + 0.5f * 0.838861f / 620.0f, 1e-6f);

    ASSERT_TRUE(edit().ZoomOut());
    EXPECT_EQ(display().Zoom(), 1u);
    EXPECT_TRUE(display().LimitButtonsEnabled());
    EXPECT_TRUE(display().DelimitationButtons().setPoint);
    EXPECT_EQ(display().Cursor().Column(), 273);
    EXPECT_FALSE(edit().ZoomOut());

    // Range 0 allows up to six lags a column: zoom 7 is refused and changes nothing.
    for (unsigned z = 2; z <= 6; ++z) {
        ASSERT_TRUE(edit().ZoomIn()) << z;
    }
    EXPECT_FALSE(edit().ZoomIn());
    EXPECT_EQ(display().Zoom(), 6u);
}

TEST_F(CorrelationDisplayTest, DelimitingThePeakMovesItAndRemovingBringsItBack)
{
    ASSERT_TRUE(edit().ClickColumn(268));
    ASSERT_TRUE(edit().PressDelimitationPoint());
    EXPECT_EQ(display().Delimitation().PendingStart(), 268);
    EXPECT_FALSE(edit().ZoomIn());  // not while a start point is pending
    ASSERT_TRUE(edit().ClickColumn(278));
    ASSERT_TRUE(edit().PressDelimitationPoint());
    EXPECT_TRUE(display().Delimitation().IsSet());
    EXPECT_FALSE(display().DelimitationButtons().setPoint);
    EXPECT_TRUE(display().DelimitationButtons().remove);
    // Hint 106 recomputed the result: the peak now lies outside the blanked stretch.
    EXPECT_TRUE(display().Cursor().OnPeak());
    const int column = display().Cursor().Column();
    EXPECT_TRUE(column < 268 || column > 278) << column;

    ASSERT_TRUE(edit().RemoveDelimitation());
    EXPECT_EQ(display().Cursor().Column(), 273);
    EXPECT_TRUE(display().DelimitationButtons().setPoint);
    EXPECT_FALSE(display().DelimitationButtons().remove);
}

TEST_F(CorrelationDisplayTest, APeakOutsideAShorterPipeIsRefusedAndReadsAsOutside)
{
    rig_.LayPipe(40.0f);  // 0.04 s of travel time; the peak lies 0.05 s off centre
    EXPECT_TRUE(display().Distances().outsidePipe);
    EXPECT_EQ(display().Distances().sensor1, "Uden for område");
    const int column = display().Cursor().Column();
    EXPECT_FALSE(edit().CursorToPeak());
    EXPECT_EQ(rig_.doc.messages.shown,
              (std::vector<std::pair<uint32_t, uint32_t>>{{str::kLeakOutsideRange, kStyleExclamation}}));
    EXPECT_EQ(display().Cursor().Column(), column);
}

TEST_F(CorrelationDisplayTest, UnitsFollowTheMenus)
{
    EXPECT_TRUE(edit().SetLengthUnit(UnitSystem::Imperial));
    EXPECT_EQ(display().Distances().sensor1, "246.1 ft");
    EXPECT_EQ(rig_.host.storedUnits, std::vector<UnitSystem>{UnitSystem::Imperial});
    EXPECT_TRUE(edit().SetTimeUnit(TimeUnit::Milliseconds));
    EXPECT_EQ(display().DelayText(), "-50.0");
    EXPECT_FALSE(edit().SetTimeUnit(TimeUnit::Milliseconds));
    EXPECT_EQ(rig_.host.storedTimes, std::vector<TimeUnit>{TimeUnit::Milliseconds});
    ASSERT_TRUE(edit().MoveCursor(Move::StepRight));
    EXPECT_EQ(display().DelayText(), "-48.6");
}

TEST_F(CorrelationDisplayTest, PresetListOfOneMaterialAndWhatEachEntryDoes)
{
    const FilterPresetList& list = display().Presets();
    std::vector<uint32_t> texts;
    for (const FilterPresetList::Entry& entry : list.Entries()) {
        texts.push_back(entry.text);
    }
    // Ductile iron has presets A to D.
    EXPECT_EQ(texts, (std::vector<uint32_t>{str::kPresetNone, str::kPresetUser, str::kPresetStandard, 62404, 62405,
                                            62406, 62407}));
    EXPECT_EQ(display().PresetSelection(), FilterPresetList::kStandardIndex);  // after the pipe changed

    edit().SelectPreset(4);  // "B": 100..700 Hz
    EXPECT_EQ(rig_.Doc().Filters().LowCutoff(), 100.0f);
    EXPECT_EQ(rig_.Doc().Filters().HighCutoff(), 700.0f);
    EXPECT_EQ(display().Filters(), (FilterSummary{"100", "700", "OFF", "OFF"}));
    EXPECT_TRUE(display().Cursor().OnPeak());  // the result was recomputed with the new band

    edit().SelectPreset(0);
    EXPECT_EQ(display().Filters(), (FilterSummary{"Åben", "Åben", "OFF", "OFF"}));
    edit().SelectPreset(2);
    EXPECT_GT(rig_.Doc().Filters().LowCutoff(), 0.0f);  // the material's own band
    EXPECT_EQ(display().Filters().low, FormatNumber("%.0f", rig_.Doc().Filters().LowCutoff()));
    edit().SelectPreset(1);  // the user's filters as last confirmed: none were
    EXPECT_EQ(rig_.Doc().Filters().LowCutoff(), 0.0f);
    EXPECT_EQ(display().PresetSelection(), 1);
    edit().SelectPreset(99);
    EXPECT_EQ(display().PresetSelection(), 1);

    // Mixed materials show no letters.
    PipeSections mixed{};
    mixed[0] = doctest::Section(2, 100.0f, 1000.0f);
    mixed[1] = doctest::Section(8, 100.0f, 400.0f);
    rig_.Doc().Edit().ApplyPipeData(mixed);
    EXPECT_EQ(display().Presets().Entries().size(), 3u);
    EXPECT_EQ(display().MaterialText(), "Blandet");
}

TEST(CorrelationDisplayHintsTest, PresetsWithoutAPipe)
{
    ViewRig rig;
    const auto& entries = rig.Display().Presets().Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2].text, str::kPresetMetallic);
    EXPECT_EQ(entries[3].text, str::kPresetNonMetallic);
    EXPECT_EQ(rig.Display().PresetSelection(), FilterPresetList::kNoFilterIndex);
    rig.model->Display().SelectPreset(2);
    EXPECT_EQ(rig.Doc().Filters().LowCutoff(), 350.0f);
    EXPECT_EQ(rig.Doc().Filters().HighCutoff(), 0.0f);
    rig.model->Display().SelectPreset(3);
    EXPECT_EQ(rig.Doc().Filters().LowCutoff(), 20.0f);
    EXPECT_EQ(rig.Display().Filters(), (FilterSummary{"20", "Åben", "OFF", "OFF"}));
    EXPECT_EQ(rig.Display().MaterialText(), "");
    EXPECT_TRUE(rig.Display().Distances().sensor1.empty());
}

TEST(CorrelationDisplayHintsTest, SavedOpenedAndNewDocuments)
{
    ViewRig rig;
    rig.LayPipe();
    rig.Measure();
    const int peakColumn = rig.Display().Cursor().Column();
    const std::filesystem::path file = rig.doc.folder.Path() / "leak.kvd";
    ASSERT_TRUE(rig.Doc().Save(file));
    EXPECT_EQ(rig.Display().FileName(), "leak");  // hint 108

    rig.Doc().NewDocument();  // hint 105
    EXPECT_FALSE(rig.Display().GraphShown());
    EXPECT_TRUE(rig.Display().FileName().empty());
    EXPECT_TRUE(rig.Display().DelayText().empty());
    EXPECT_TRUE(rig.Display().LayoutBands().empty());
    EXPECT_TRUE(rig.Control().ElapsedText().empty());
    EXPECT_FALSE(rig.host.velocity.back());

    ASSERT_TRUE(rig.Doc().Open(file));  // hint 103
    EXPECT_TRUE(rig.Display().GraphShown());
    EXPECT_EQ(rig.Display().Cursor().Column(), peakColumn);
    EXPECT_EQ(rig.Display().Distances().sensor1, "75.0 m");
    EXPECT_EQ(rig.Display().FileName(), "leak");
    EXPECT_EQ(rig.Display().BlockCountText(), "6:1");
    EXPECT_EQ(rig.Control().ElapsedText(), rig.Doc().MeasuringTime());
    EXPECT_FALSE(rig.Display().LayoutBands().empty());
    EXPECT_TRUE(rig.host.velocity.back());  // exactly one section
}

}  // namespace
}  // namespace korvanta
