#include "core/app/FrameCommandState.h"

#include <gtest/gtest.h>

#include "core/app/CommandIds.h"

namespace korvanta {
namespace {

struct RuleCase {
    uint32_t id;
    bool commOff;          // enabled with every flag on, communication not available
    bool commOn;           // ... and with communication available
    bool afterDisableAll;  // after EnableAllMenus(false), communication available
};

TEST(FrameCommandState, EnableRulesFollowFlagsAndCommunication)
{
    const RuleCase cases[] = {
        {cmd::kFileNew, true, true, false},
        {cmd::kFileRecentFirst, true, true, false},  // the recent files follow "Åben"
        {cmd::kFileRecentFirst + 3, true, true, false},
        {cmd::kFileSaveAs, true, true, true},
        {cmd::kExportGis, true, true, true},
        {cmd::kCopyGraph, true, true, false},
        {cmd::kFileInformation, true, true, false},
        {cmd::kSystemStatus, false, true, true},  // its flag is not touched by EnableAllMenus
        {cmd::kSystemInformation, false, true, false},
        {cmd::kListeningConfiguration, false, true, false},
        {cmd::kBeaconsOn, false, true, false},
        {cmd::kRadioModeHigh, false, true, false},
        {cmd::kPipeParameters, true, true, false},
        {cmd::kPipeMaterials, true, true, true},
        {cmd::kSensorCombination, false, true, false},
        {cmd::kVelocityCalculation, true, true, true},
        {cmd::kThreeStationMode, true, true, false},
        {cmd::kAdcTest, false, true, true},
        {cmd::kRadioSignalStrength, true, true, true},
        {cmd::kRegressionAnalysis, true, true, true},
    };
    for (const RuleCase& c : cases) {
        FrameCommandState state;
        EXPECT_EQ(state.IsEnabled(c.id), c.commOff) << c.id;
        state.SetCommAvailable(true);
        EXPECT_EQ(state.IsEnabled(c.id), c.commOn) << c.id;
        state.EnableAllMenus(false);
        EXPECT_EQ(state.IsEnabled(c.id), c.afterDisableAll) << c.id;
        state.EnableAllMenus(true);
        EXPECT_EQ(state.IsEnabled(c.id), c.commOn) << c.id << " after enabling again";
    }
}

TEST(FrameCommandState, FormCommandsAndUnknownIdsAreNotTheFramesToDecide)
{
    FrameCommandState state;
    EXPECT_FALSE(state.IsEnabled(cmd::kUnitsMetric).has_value());
    EXPECT_FALSE(state.IsEnabled(cmd::kTimeMilliseconds).has_value());
    EXPECT_FALSE(state.IsEnabled(12345).has_value());
    EXPECT_FALSE(state.IsChecked(cmd::kFileNew).has_value());
}

TEST(FrameCommandState, TopLevelMenusAndStationChecksFollowEnableAll)
{
    FrameCommandState state;
    state.SetStationChecks(false, true);
    state.EnableAllMenus(false);
    EXPECT_FALSE(state.TopLevelMenusEnabled());
    EXPECT_EQ(state.IsChecked(cmd::kThreeStationMode), true) << "disabling leaves the checks";
    state.EnableAllMenus(true);
    EXPECT_TRUE(state.TopLevelMenusEnabled());
    EXPECT_EQ(state.IsChecked(cmd::kTwoStationMode), true);
    EXPECT_EQ(state.IsChecked(cmd::kThreeStationMode), false);
}

TEST(FrameCommandState, RadioModeMovesTheCheckAndIgnoresOtherValues)
{
    FrameCommandState state;
    EXPECT_EQ(state.GetRadioMode(), 2);
    EXPECT_EQ(state.IsChecked(cmd::kRadioModeLow), true);
    state.SetRadioMode(3);
    EXPECT_EQ(state.GetRadioMode(), 3);
    EXPECT_EQ(state.IsChecked(cmd::kRadioModeLow), false);
    EXPECT_EQ(state.IsChecked(cmd::kRadioModeHigh), true);
    for (int bad : {0, 1, 4, -2}) {
        state.SetRadioMode(bad);
        EXPECT_EQ(state.GetRadioMode(), 3) << bad;
    }
}

TEST(FrameCommandState, SingleFlagsLikeTheVelocityAndFilterCommands)
{
    FrameCommandState state;
    state.SetFlag(CommandGroup::VelocityCalculation, false);
    state.SetFlag(CommandGroup::Filters, false);
    EXPECT_EQ(state.IsEnabled(cmd::kVelocityCalculation), false);
    EXPECT_EQ(state.IsEnabled(cmd::kFilters), false);
    state.EnableAllMenus(true);
    EXPECT_EQ(state.IsEnabled(cmd::kVelocityCalculation), false) << "not one of the flags EnableAllMenus sets";
    EXPECT_EQ(state.IsEnabled(cmd::kFilters), true);
}

// Beside the three-station form the toolbar stays: the file buttons stand for the form's file
// commands, the commands without anything to work on there are grayed, the rest keep their rule.
TEST(FrameCommandState, ThreeStationFormRoutesTheToolbarAndGraysWhatItCannotUse)
{
    struct Case {
        uint32_t id;
        uint32_t routed;
        bool enabled;  // communication available
    };
    const Case cases[] = {
        {cmd::kFileNew, cmd::kThreeStationNew, true},
        {cmd::kFileOpen, cmd::kThreeStationOpen, true},
        {cmd::kFileSave, cmd::kThreeStationSave, true},
        {cmd::kFilters, cmd::kFilters, true},
        {cmd::kSystemInformation, cmd::kSystemInformation, true},
        {cmd::kBeaconsOff, cmd::kBeaconsOff, true},
        {cmd::kRadioModeHigh, cmd::kRadioModeHigh, true},
        {cmd::kListeningConfiguration, cmd::kListeningConfiguration, true},
        {cmd::kTwoStationMode, cmd::kTwoStationMode, true},
        {cmd::kAppAbout, cmd::kAppAbout, true},
        {cmd::kFilePrint, cmd::kFilePrint, false},
        {cmd::kCopyText, cmd::kCopyText, false},
        {cmd::kFileInformation, cmd::kFileInformation, false},
        {cmd::kPipeParameters, cmd::kPipeParameters, false},
        {cmd::kSensorCombination, cmd::kSensorCombination, false},
        {cmd::kExportGis, cmd::kExportGis, false},
    };
    for (const Case& c : cases) {
        FrameCommandState state;
        state.SetCommAvailable(true);
        state.SetThreeStationForm(true);
        EXPECT_EQ(state.Routed(c.id), c.routed) << c.id;
        EXPECT_EQ(state.IsEnabled(c.id), c.enabled) << c.id;
        state.SetThreeStationForm(false);
        EXPECT_EQ(state.Routed(c.id), c.id) << c.id;
        EXPECT_EQ(state.IsEnabled(c.id), true) << c.id;
    }

    FrameCommandState state;
    state.SetCommAvailable(true);
    state.SetThreeStationForm(true);
    state.SetStationChecks(false, true);
    state.EnableAllMenus(false);
    EXPECT_EQ(state.IsEnabled(cmd::kFileSave), false) << "the form's file commands follow the flags";
    state.EnableAllMenus(true);
    EXPECT_EQ(state.IsChecked(cmd::kThreeStationMode), true) << "after a measurement the mode stays checked";
    EXPECT_EQ(state.IsChecked(cmd::kTwoStationMode), false);
    state.SetFlag(CommandGroup::Filters, false);
    EXPECT_EQ(state.IsEnabled(cmd::kFilters), false) << "the result view grays the filters";
}

}  // namespace
}  // namespace korvanta
