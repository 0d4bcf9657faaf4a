// START/STOP, the elapsed time and activity bar, and the status poll against the link state's
// reports: lost link, reset button, critical battery, battery warnings that never stack.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ViewModelTestSupport.h"
#include "core/text/StringIds.h"

namespace korvanta {
namespace {

using viewtest::ViewRig;
using Shown = std::vector<std::pair<uint32_t, uint32_t>>;

TEST(MeasurementControlTest, StartStopRunsTheMeasurementAndKeepsTime)
{
    ViewRig rig;
    rig.LayPipe();
    MeasurementControl& control = rig.Control();
    EXPECT_EQ(control.StartButtonText(), str::kStart);
    EXPECT_TRUE(control.StartButtonEnabled());

    control.StartStop();
    ASSERT_TRUE(control.Running());
    EXPECT_TRUE(control.Measuring());
    EXPECT_TRUE(control.ElapsedTimerRunning());
    EXPECT_EQ(control.StartButtonText(), str::kStop);
    EXPECT_FALSE(control.PresetListEnabled());
    EXPECT_EQ(rig.host.menus, std::vector<bool>{false});
    EXPECT_EQ(control.ElapsedText(), "00:00:00");

    // The activity bar steps with every result and wraps from 5 to 0.
    std::vector<int> activity;
    for (const DataBlockRecord& block : ViewRig::Blocks(7)) {
        rig.Deliver(block);
        if (block.unit == 2) {
            activity.push_back(control.ActivityPosition());
        }
    }
    EXPECT_EQ(activity, (std::vector<int>{1, 2, 3, 4, 5, 0, 1}));
    EXPECT_EQ(rig.Display().BlockCountText(), "7:1");

    rig.doc.comms.SleepMs((3600 + 2 * 60 + 3) * 1000);
    control.ElapsedTick();
    EXPECT_EQ(control.ElapsedText(), "01:02:03");

    control.StartStop();
    EXPECT_FALSE(control.Running());
    EXPECT_FALSE(control.ElapsedTimerRunning());
    EXPECT_EQ(control.StartButtonText(), str::kStart);
    EXPECT_TRUE(control.PresetListEnabled());
    EXPECT_EQ(control.ActivityPosition(), 0);
    EXPECT_EQ(rig.host.menus, (std::vector<bool>{false, true}));
    EXPECT_EQ(rig.host.velocity.back(), true);
    EXPECT_EQ(rig.Doc().MeasuringTime(), "01:02:03");
    EXPECT_TRUE(rig.Display().Cursor().OnPeak());

    // The next start shows zero again.
    control.StartStop();
    EXPECT_EQ(control.ElapsedText(), "00:00:00");
    EXPECT_FALSE(rig.Display().GraphShown());
}

TEST(MeasurementControlTest, ARefusedStartLeavesEverythingIdle)
{
    ViewRig rig;
    rig.LayPipe();
    rig.doc.comms.SetAnswerStarts(false);
    rig.Control().StartStop();
    EXPECT_FALSE(rig.Control().Running());
    EXPECT_FALSE(rig.Control().ElapsedTimerRunning());
    EXPECT_EQ(rig.Control().StartButtonText(), str::kStart);
    EXPECT_EQ(rig.Control().ActivityPosition(), 0);
    EXPECT_TRUE(rig.host.menus.empty());
}

TEST(MeasurementControlTest, AStopBeforeAnyBlockLeavesTheGraphBlank)
{
    ViewRig rig;
    rig.LayPipe();
    rig.Control().StartStop();
    rig.Control().StartStop();
    EXPECT_FALSE(rig.Display().GraphShown());
    EXPECT_FALSE(rig.Doc().IsResultValid());
}

TEST(MeasurementControlTest, LostLinkWhileIdleOnlyDisablesStartWhileMeasuringEndsIt)
{
    ViewRig idle;
    idle.doc.link.UpdateUnitPresence(0, 0, 1);  // the interface unit stops answering
    idle.Control().StatusPoll();
    EXPECT_FALSE(idle.Control().StartButtonEnabled());
    EXPECT_EQ(idle.host.commCleared, 1);
    EXPECT_TRUE(idle.doc.messages.shown.empty());
    idle.doc.link.UpdateUnitPresence(1, 1, 1);
    idle.Control().StatusPoll();
    EXPECT_TRUE(idle.Control().StartButtonEnabled());
    EXPECT_EQ(idle.host.commAvailable, 1);

    ViewRig measuring;
    measuring.LayPipe();
    measuring.Control().StartStop();
    for (const DataBlockRecord& block : ViewRig::Blocks(2)) {
        measuring.Deliver(block);
    }
    measuring.doc.link.UpdateUnitPresence(0, 0, 1);
    measuring.Control().StatusPoll();
    EXPECT_FALSE(measuring.Control().Running());
    EXPECT_FALSE(measuring.Doc().IsMeasuring());
    EXPECT_FALSE(measuring.Control().StartButtonEnabled());
    EXPECT_EQ(measuring.doc.messages.shown, (Shown{{str::kMeasurementStopped, kStyleExclamation}}));
    // What was accumulated stays on show and can be saved.
    EXPECT_TRUE(measuring.Doc().IsResultValid());
    EXPECT_TRUE(measuring.Display().GraphShown());
}

TEST(MeasurementControlTest, AStationThatIsGoneIsNamedWhenTheMeasurementEnds)
{
    ViewRig rig;
    rig.LayPipe();
    rig.Control().StartStop();
    std::vector<DataBlockRecord> blocks = ViewRig::Blocks(3);
    blocks[2].status = 4;  // red misses two answers in a row
    blocks[4].status = 4;
    for (size_t i = 0; i < 5; ++i) {
        rig.Deliver(blocks[i]);
    }
    EXPECT_FALSE(rig.Control().Running());
    EXPECT_FALSE(rig.Doc().IsMeasuring());
    EXPECT_EQ(rig.doc.messages.shown, (Shown{{str::kRedNotAnswering, kStyleExclamation}}));
}

TEST(MeasurementControlTest, ResetButtonDuringAMeasurement)
{
    ViewRig rig;
    rig.LayPipe();
    rig.Control().StartStop();
    rig.doc.comms.ForgetTaken();
    rig.doc.link.SetResetPressed(true);
    rig.host.radioMode = 2;
    rig.Control().StatusPoll();
    EXPECT_FALSE(rig.Control().Running());
    EXPECT_EQ(rig.doc.messages.shown, (Shown{{str::kMeasurementStopped, kStyleExclamation},
                                             {str::kResetPressedDuringMeasurement, kStyleExclamation}}));
    const std::vector<LinkCommand>& taken = (rig.doc.comms.Codes(), rig.doc.comms.Taken());
    ASSERT_EQ(taken.size(), 2u);  // the stop's command was cleared away
    EXPECT_EQ(taken[0].code, TM_SET_RADIO_MODE);
    EXPECT_EQ(taken[0].radioMode, 2);
    EXPECT_EQ(taken[1].code, TM_SELECT_SENSORS);
    EXPECT_EQ(taken[1].sensorMask, 6);
    EXPECT_EQ(rig.host.commAvailable, 1);
}

TEST(MeasurementControlTest, CriticalBatteryAnsweredNoSuspends)
{
    ViewRig rig;
    rig.LayPipe();
    rig.Control().StartStop();
    rig.doc.comms.ForgetTaken();
    rig.doc.link.SetChargeStatus({1, 200, 200, 200}, 0);
    rig.doc.link.SetChargeUpdated(true);
    rig.doc.messages.answer = MessageAnswer::No;
    rig.Control().StatusPoll();
    EXPECT_EQ(rig.doc.messages.shown, (Shown{{str::kCriticalBatteryInterface, kStyleYesNo | kStyleStop}}));
    EXPECT_FALSE(rig.Control().Running());
    EXPECT_FALSE(rig.Doc().IsMeasuring());
    EXPECT_FALSE(rig.Control().StartButtonEnabled());
    EXPECT_EQ(rig.host.commCleared, 1);
    const std::vector<int> codes = rig.doc.comms.Codes();
    EXPECT_EQ(codes.front(), TM_SUSPEND_COMMS);  // urgent: before the stop's own command
    // The flag was consumed: the next poll asks nothing.
    rig.Control().StatusPoll();
    EXPECT_EQ(rig.doc.messages.shown.size(), 1u);
    // Suspended until the link reports the interface unit again.
    rig.doc.link.SetLinkUp(true);
    rig.Control().StatusPoll();
    EXPECT_TRUE(rig.Control().StartButtonEnabled());

    ViewRig yes;
    yes.LayPipe();
    yes.Control().StartStop();
    yes.doc.link.SetChargeStatus({1, 200, 200, 200}, 1);
    yes.doc.link.SetChargeUpdated(true);
    yes.doc.messages.answer = MessageAnswer::Yes;
    yes.Control().StatusPoll();
    EXPECT_TRUE(yes.Control().Running());
    EXPECT_TRUE(yes.Control().Panel().At(2).charging);
}

TEST(MeasurementControlTest, StatusPanelFollowsTheKit)
{
    ViewRig rig;
    // Blue absent (an outstation is given up after two missed answers), red without its sensor.
    rig.doc.link.UpdateUnitPresence(1 | 2, 1, 15);
    rig.doc.link.UpdateUnitPresence(1 | 2, 1, 15);
    rig.doc.link.SetChargeStatus({150, 30, 0, 0}, 0);
    rig.doc.link.SetChargeUpdated(true);
    rig.Control().StatusPoll();
    const UnitStatusPanel& panel = rig.Control().Panel();
    EXPECT_EQ(panel.At(0).picture, kRedUnit);
    EXPECT_EQ(panel.At(1).picture, kBlueUnit);
    EXPECT_EQ(panel.At(0).radio, UnitStatusPanel::RadioIcon::High);
    EXPECT_EQ(panel.At(0).batteryLevel, 1);
    EXPECT_FALSE(panel.At(0).sensor);
    EXPECT_EQ(panel.At(1).radio, UnitStatusPanel::RadioIcon::Absent);
    EXPECT_EQ(panel.At(1).batteryLevel, kUnknownBatteryLevel);
    EXPECT_EQ(panel.At(2).batteryLevel, 4);
    EXPECT_TRUE(panel.At(2).sensor);

    rig.Doc().Edit().ApplySensorCombination(10);  // hint 104: red and yellow
    EXPECT_EQ(panel.At(1).picture, kYellowUnit);
}

// A message box runs its own event loop: the window's timers fire under it.
class ReentrantSink final : public IMessageSink {
public:
    MessageAnswer ShowMessage(uint32_t id, uint32_t style) override
    {
        shown.emplace_back(id, style);
        if (tick) {
            tick();
        }
        return MessageAnswer::Yes;
    }
    std::function<void()> tick;
    Shown shown;
};

TEST(MeasurementControlTest, TicksUnderAnOpenBoxShowNothingMore)
{
    ViewRig rig;
    ReentrantSink sink;
    TwoStationViewModel model(rig.Doc(), rig.doc.link, rig.host, sink, rig.doc.comms);
    model.InitialUpdate();
    rig.doc.link.UpdateUnitPresence(15, 15, 15);
    rig.doc.link.SetChargeStatus({1, 20, 5, 200}, 0);
    rig.doc.link.SetChargeUpdated(true);
    int ticks = 0;
    sink.tick = [&] {
        ++ticks;
        model.Control().BatteryWarningTick();
        rig.doc.link.SetChargeUpdated(true);  // a fresh critical report arrives meanwhile
        model.Control().StatusPoll();
    };
    model.Control().StatusPoll();  // critical battery: one box
    EXPECT_EQ(sink.shown, (Shown{{str::kCriticalBatteryInterface, kStyleYesNo | kStyleStop}}));

    sink.shown.clear();
    model.Control().BatteryWarningTick();  // each warning once, one after another
    EXPECT_EQ(sink.shown, (Shown{{str::kLowBatteryRed, kStyleExclamation},
                                 {str::kFlatBatteryBlue, kStyleExclamation},
                                 {str::kFlatBatteryInterface, kStyleStop}}));
    EXPECT_EQ(ticks, 4);
    EXPECT_FALSE(model.MessageBoxOpen());
}

}  // namespace
}  // namespace korvanta
