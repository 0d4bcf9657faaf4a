// The program's command routines when the field kit or its line fails, over the real link library
// and the in-process port, on the fake clock.
#include <gtest/gtest.h>

#include "KitIntegrationRig.h"
#include "core/text/StringIds.h"
#include "sim/BlockTiming.h"

namespace korvanta::test {
namespace {

class KitFaultsIntegrationTest : public testing::Test {
protected:
    void Open(const sim::KitOptions& options = FastKit())
    {
        rig_.reset();
        rig_ = std::make_unique<InProcessRig>(options);
        ASSERT_TRUE(rig_->opened);
    }
    void SetUp() override { Open(); }

    InProcessRig& Rig() { return *rig_; }
    LinkCommands& Commands() { return *rig_->commands; }
    CLinkState& State() { return rig_->state; }
    sim::FieldKit& Kit() { return rig_->Kit(); }
    int LastLinkError() { return rig_->link->GetLastError(); }

    uint32_t errorId = str::kNoError;

private:
    std::unique_ptr<InProcessRig> rig_;
};

TEST_F(KitFaultsIntegrationTest, RequestLeftUnansweredTimesOut)
{
    Kit().IgnoreNextRequests(1);
    const int64_t before = Rig().Fake().NowMs();
    EXPECT_FALSE(Commands().GetInterfaceVersion(errorId));
    EXPECT_EQ(LastLinkError(), kLinkTimeout);
    EXPECT_EQ(errorId, str::kCommunicationError);
    EXPECT_GE(Rig().Fake().NowMs() - before, LinkCommands::kTimeoutShortMs);
    EXPECT_EQ(State().GetVersion(0), "");
    // The link itself is fine: the next exchange goes through.
    errorId = str::kNoError;
    EXPECT_TRUE(Commands().GetInterfaceVersion(errorId));
    EXPECT_EQ(State().GetVersion(0), "QX-913-07-200C");
    EXPECT_EQ(Kit().Counters().unanswered, 1u);
}

TEST_F(KitFaultsIntegrationTest, AnAnswerAfterTheTimeOutIsNotTakenForTheNextOne)
{
    sim::KitOptions options;  // paced: the radio's delays count
    options.units[3].lateAnswerSeconds = 7.0;
    options.units[3].firmware = {3, 1, 4};
    Open(options);
    EXPECT_FALSE(Commands().GetOutstationVersion(3, errorId));
    EXPECT_EQ(LastLinkError(), kLinkTimeout);
    Rig().Fake().SleepMs(2000);  // yellow's answer arrives meanwhile
    errorId = str::kNoError;
    ASSERT_TRUE(Commands().GetOutstationVersion(1, errorId));
    EXPECT_EQ(State().GetVersion(1), "QX-913-07-200C");
    EXPECT_EQ(State().GetVersion(3), "");
}

TEST_F(KitFaultsIntegrationTest, LostAndDamagedFramesAreRecovered)
{
    sim::KitOptions options = FastKit();
    options.lineFaults = {0.08, 0.05};
    options.seed = 3;
    Open(options);
    ASSERT_TRUE(Commands().StartSampling(errorId));
    int blocks = 0;
    for (int round = 0; round < 8; ++round) {
        ASSERT_TRUE(Commands().GetInterfaceVersion(errorId)) << round;
        ASSERT_TRUE(Commands().GetSensorStatus(15, errorId)) << round;
        ASSERT_TRUE(Commands().RequestChargeStatus(errorId)) << round;
        ASSERT_TRUE(Commands().GetDataBlock(false, errorId)) << round;
        DataBlockRecord record;
        State().FetchDataBlock(record);
        // No block is delivered twice or skipped when its frames had to be sent again.
        EXPECT_EQ(record.unit, 1 + blocks % 2);
        EXPECT_EQ(record.blockNumber, blocks / 2);
        ++blocks;
    }
    EXPECT_EQ(Kit().Counters().requests, 1u + 8 * 4);
    const sim::LineFaultCounters line = Rig().Device().LineCounters();
    EXPECT_GT(line.lostOut + line.lostIn, 0u);
    EXPECT_GT(line.corruptedOut + line.corruptedIn, 0u);
}

TEST_F(KitFaultsIntegrationTest, DeadFarEndFailsTheSend)
{
    Kit().SetSilent(true);
    EXPECT_FALSE(Commands().GetHeadphoneStatus(errorId));
    EXPECT_EQ(LastLinkError(), kLinkNotAcknowledged);
    EXPECT_EQ(errorId, str::kCommunicationError);
    // However long the library is polled, nothing comes from the far end: it reports the link
    // failed (silence is judged over time the library was polled, not over a pause in polling).
    for (int cycle = 0; cycle < 31; ++cycle) {
        Rig().Fake().SleepMs(100);
        Rig().library.LinkTimer();
        Rig().library.ReadBuffer();
    }
    EXPECT_TRUE(Rig().library.GetStatus() & ILinkLibrary::kStatusLinkFailure);
    EXPECT_FALSE(State().IsHeadphoneUpdated());

    // Back again: the routine's reset of the link lets the next exchange through.
    Kit().SetSilent(false);
    errorId = str::kNoError;
    EXPECT_TRUE(Commands().GetHeadphoneStatus(errorId));
    EXPECT_TRUE(State().IsHeadphoneUpdated());
}

TEST_F(KitFaultsIntegrationTest, FarEndDyingAfterTheAcknowledgementStopsTheHeartbeat)
{
    ASSERT_TRUE(Commands().GetInterfaceSensorStatus(errorId));
    EXPECT_TRUE(State().GetLinkUp());
    Kit().SilenceAfterNextRequest();
    EXPECT_FALSE(Commands().GetSensorStatus(15, errorId));
    EXPECT_EQ(LastLinkError(), kLinkNoHeartbeat);
    EXPECT_TRUE(Rig().library.GetStatus() & ILinkLibrary::kStatusLinkFailure);
    // A failed status exchange takes every unit off the list, the interface unit with it.
    bool present = true;
    bool sensor = true;
    State().GetUnitStatus(0, present, sensor);
    EXPECT_FALSE(present);
    EXPECT_TRUE(State().IsLinkChanged());
    EXPECT_FALSE(State().GetLinkUp());
}

TEST_F(KitFaultsIntegrationTest, ResetButtonDuringAMeasurement)
{
    sim::KitOptions options;  // paced: the button is pressed while a block is being sampled
    Open(options);
    ASSERT_TRUE(Commands().StartSampling(errorId));
    ASSERT_TRUE(Commands().GetDataBlock(false, errorId));
    ASSERT_TRUE(Commands().GetDataBlock(false, errorId));
    Kit().PressResetAfter(0.3);
    int served = 0;
    while (served < 10 && Commands().GetDataBlock(false, errorId)) {
        ++served;
    }
    EXPECT_LT(served, 10);
    EXPECT_EQ(errorId, str::kResetPressedDuringMeasurement);
    EXPECT_EQ(Kit().Counters().resetPresses, 1u);
    // The next status poll reports the press; the interface unit's poll counts as answered.
    errorId = str::kNoError;
    EXPECT_TRUE(Commands().GetInterfaceSensorStatus(errorId));
    EXPECT_TRUE(State().GetResetPressed());
    // Sampling ended with the press.
    EXPECT_TRUE(Commands().GetDataBlock(false, errorId));
    DataBlockRecord record;
    State().FetchDataBlock(record);
    EXPECT_EQ(record.status, sim::kBlockNothingSampled);
}

TEST_F(KitFaultsIntegrationTest, ResetButtonSeenByAStatusRequest)
{
    ASSERT_TRUE(Commands().GetSensorStatus(15, errorId));
    Kit().SetUnitOn(2, false);
    Kit().PressResetAtNextRequest();
    EXPECT_FALSE(Commands().GetSensorStatus(15, errorId));
    EXPECT_EQ(errorId, str::kNoError);
    EXPECT_TRUE(State().GetResetPressed());
    // The answer after a reset says nothing about the units: blue is still listed.
    bool present = false;
    bool sensor = false;
    State().GetUnitStatus(2, present, sensor);
    EXPECT_TRUE(present);
}

TEST_F(KitFaultsIntegrationTest, UnitSwitchedOff)
{
    ASSERT_TRUE(Commands().GetSensorStatus(15, errorId));
    Kit().SetUnitOn(2, false);
    bool present = false;
    bool sensor = false;
    // The program drops an outstation after two answers without it.
    ASSERT_TRUE(Commands().GetSensorStatus(15, errorId));
    State().GetUnitStatus(2, present, sensor);
    EXPECT_TRUE(present);
    ASSERT_TRUE(Commands().GetSensorStatus(15, errorId));
    State().GetUnitStatus(2, present, sensor);
    EXPECT_FALSE(present);
    State().GetUnitStatus(1, present, sensor);
    EXPECT_TRUE(present);

    EXPECT_FALSE(Commands().StartSampling(errorId));
    EXPECT_EQ(errorId, str::kBlueNotAnswering);
    ASSERT_TRUE(Commands().RequestChargeStatus(errorId));
    std::array<int, 4> batteries{};
    int charging = 0;
    State().GetChargeStatus(batteries, charging);
    EXPECT_EQ(batteries[2], 0);

    // Red switched off in the middle of a measurement: its blocks mark it absent.
    Kit().SetUnitOn(2, true);
    errorId = str::kNoError;
    ASSERT_TRUE(Commands().StartSampling(errorId));
    Kit().SetUnitOn(1, false);
    ASSERT_TRUE(Commands().GetDataBlock(false, errorId));
    DataBlockRecord record;
    State().FetchDataBlock(record);
    EXPECT_EQ(record.unit, 1);
    EXPECT_EQ(record.status, sim::kBlockUnitSilent);
    State().GetUnitStatus(1, present, sensor);
    EXPECT_FALSE(present);
}

TEST_F(KitFaultsIntegrationTest, PacedBlocksArriveWhenSampled)
{
    sim::KitOptions options;
    Open(options);
    ASSERT_TRUE(Commands().StartSampling(errorId));
    const int64_t started = Rig().Fake().NowMs();
    ASSERT_TRUE(Commands().GetDataBlock(false, errorId));
    const int64_t firstBlock = Rig().Fake().NowMs();
    ASSERT_TRUE(Commands().GetDataBlock(false, errorId));
    ASSERT_TRUE(Commands().GetDataBlock(false, errorId));
    const int64_t secondRed = Rig().Fake().NowMs();
    EXPECT_GE(firstBlock - started, static_cast<int64_t>(sim::kBlockSeconds * 1000) - 300);
    EXPECT_GE(secondRed - started, static_cast<int64_t>(2 * sim::kBlockSeconds * 1000) - 300);
    EXPECT_LT(secondRed - started, 2 * LinkCommands::kTimeoutDataBlockMs);
}

}  // namespace
}  // namespace korvanta::test
