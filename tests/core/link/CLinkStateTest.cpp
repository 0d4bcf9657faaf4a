#include <gtest/gtest.h>

#include <thread>

#include "core/link/CLinkState.h"

namespace korvanta {
namespace {

LinkCommand Command(int code, int unit = 0)
{
    LinkCommand command;
    command.code = code;
    command.unit = unit;
    return command;
}

std::vector<int> Drain(CLinkState& state)
{
    std::vector<int> units;
    LinkCommand command;
    while (state.GetNextCommand(command)) {
        units.push_back(command.unit);
    }
    return units;
}

TEST(LinkStateQueue, UrgentCommandRunsBeforeEverythingQueued)
{
    CLinkState state;
    EXPECT_TRUE(state.IsQueueEmpty());
    EXPECT_TRUE(state.PostCommand(Command(TM_GET_OUTSTATION_VERSION, 1)));
    EXPECT_TRUE(state.PostCommand(Command(TM_GET_OUTSTATION_VERSION, 2)));
    EXPECT_TRUE(state.PostUrgentCommand(Command(TM_GET_OUTSTATION_VERSION, 3)));
    EXPECT_FALSE(state.IsQueueEmpty());
    EXPECT_EQ(Drain(state), (std::vector<int>{3, 1, 2}));
    EXPECT_TRUE(state.IsQueueEmpty());
}

TEST(LinkStateQueue, UnknownCodesAreRefused)
{
    CLinkState state;
    state.PostCommand(Command(TM_GET_CHARGE_STATUS, 1));
    EXPECT_FALSE(state.PostCommand(Command(19)));
    EXPECT_FALSE(state.PostUrgentCommand(Command(19)));
    EXPECT_FALSE(state.PostCommand(Command(-1)));
    EXPECT_TRUE(state.PostCommand(Command(TM_TEST_RADIO_COMMS, 2)));
    EXPECT_EQ(Drain(state), (std::vector<int>{1, 2}));
}

TEST(LinkStateQueue, CommandIsCopiedWholeAndClearDropsAll)
{
    CLinkState state;
    LinkCommand port = Command(TM_CONFIGURE_COM_PORT);
    port.portName = "COM7";
    port.threeStation = 1;
    port.sensorMask = 14;
    state.PostCommand(port);
    LinkCommand taken;
    ASSERT_TRUE(state.GetNextCommand(taken));
    EXPECT_EQ(taken.portName, "COM7");
    EXPECT_EQ(taken.threeStation, 1);
    EXPECT_EQ(taken.sensorMask, 14);
    EXPECT_FALSE(state.GetNextCommand(taken));

    state.PostCommand(port);
    state.PostUrgentCommand(port);
    state.ClearCommands();
    EXPECT_TRUE(state.IsQueueEmpty());
}

TEST(LinkStatePresence, OutstationIsDroppedAfterTwoMissedAnswers)
{
    CLinkState state;
    bool present = false, sensor = false;
    state.UpdateUnitPresence(2, 2, 2);
    state.UpdateUnitPresence(0, 0, 2);
    state.GetUnitStatus(1, present, sensor);
    EXPECT_TRUE(present);
    EXPECT_TRUE(sensor);
    state.UpdateUnitPresence(0, 0, 2);
    state.GetUnitStatus(1, present, sensor);
    EXPECT_FALSE(present);
    EXPECT_FALSE(sensor);
}

TEST(LinkStatePresence, AnAnswerResetsTheMissCount)
{
    CLinkState state;
    bool present = false, sensor = true;
    state.UpdateUnitPresence(0, 0, 2);
    state.UpdateUnitPresence(2, 0, 2);
    state.UpdateUnitPresence(0, 0, 2);
    state.GetUnitStatus(1, present, sensor);
    EXPECT_TRUE(present);
    EXPECT_FALSE(sensor);
}

TEST(LinkStatePresence, OnlyTheUnitsAskedAboutChange)
{
    CLinkState state;
    state.UpdateUnitPresence(15, 15, 15);
    state.UpdateUnitPresence(0, 0, 4);
    state.UpdateUnitPresence(0, 0, 4);
    bool present = false, sensor = false;
    state.GetUnitStatus(1, present, sensor);
    EXPECT_TRUE(present);
    state.GetUnitStatus(2, present, sensor);
    EXPECT_FALSE(present);
    state.GetUnitStatus(3, present, sensor);
    EXPECT_TRUE(present && sensor);
    state.GetUnitStatus(9, present, sensor);
    EXPECT_FALSE(present || sensor);
}

TEST(LinkStatePresence, LosingTheInterfaceUnitChangesTheLinkOnce)
{
    CLinkState state;
    state.UpdateUnitPresence(1, 1, 1);
    EXPECT_TRUE(state.IsLinkChanged());
    EXPECT_TRUE(state.GetLinkUp());
    EXPECT_FALSE(state.IsLinkChanged());

    state.UpdateUnitPresence(1, 0, 1);  // no news
    EXPECT_FALSE(state.IsLinkChanged());

    state.UpdateUnitPresence(0, 0, 1);
    EXPECT_TRUE(state.IsLinkChanged());
    EXPECT_FALSE(state.GetLinkUp());
    state.UpdateUnitPresence(0, 0, 1);
    EXPECT_FALSE(state.IsLinkChanged());
}

TEST(LinkStateDataBlock, StatusDecidesPresenceAndSensor)
{
    CLinkState state;
    state.UpdateUnitPresence(15, 15, 15);
    DataBlockRecord record;
    record.unit = 2;
    record.status = 4;
    record.battery = 123;
    record.blockNumber = 42;
    state.StoreDataBlock(record);
    bool present = true, sensor = false;
    state.GetUnitStatus(2, present, sensor);
    EXPECT_FALSE(present);
    EXPECT_TRUE(sensor);  // status 4 says nothing about the sensor
    std::array<int, 4> batteries = {};
    int charging = 0;
    state.GetChargeStatus(batteries, charging);
    EXPECT_EQ(batteries[2], 123);
    EXPECT_FALSE(state.IsDataBlockReady());  // raised by the caller, not here

    record.status = 3;
    state.StoreDataBlock(record);
    state.GetUnitStatus(2, present, sensor);
    EXPECT_TRUE(present);
    EXPECT_FALSE(sensor);
    record.status = 1;
    state.StoreDataBlock(record);
    state.GetUnitStatus(2, present, sensor);
    EXPECT_TRUE(sensor);
}

TEST(LinkStateDataBlock, UnknownUnitOnlyStoresTheRecord)
{
    CLinkState state;
    DataBlockRecord record;
    record.unit = 7;
    record.battery = 55;
    record.blockNumber = 9;
    state.StoreDataBlock(record);
    state.SetDataBlockReady(true);
    DataBlockRecord out;
    state.FetchDataBlock(out);
    EXPECT_EQ(out.unit, 7);
    EXPECT_EQ(out.blockNumber, 9);
    EXPECT_FALSE(state.IsDataBlockReady());
    std::array<int, 4> batteries = {};
    int charging = 0;
    state.GetChargeStatus(batteries, charging);
    EXPECT_EQ(batteries, (std::array<int, 4>{0, 0, 0, 0}));
}

TEST(LinkStateSlots, ReadersClearTheirFlags)
{
    CLinkState state;
    state.SetVersion(1, "QX-913-07-105A");
    state.SetVersionUpdated(1, true);
    EXPECT_FALSE(state.IsVersionUpdated(0));
    EXPECT_EQ(state.GetVersion(1), "QX-913-07-105A");
    EXPECT_FALSE(state.IsVersionUpdated(1));
    EXPECT_EQ(state.GetVersion(4), "");

    state.SetDiagnostics(3, "x");
    state.SetDiagnosticsUpdated(3, true);
    EXPECT_EQ(state.GetDiagnostics(3), "x");
    EXPECT_FALSE(state.IsDiagnosticsUpdated(3));

    state.SetListening(true);
    state.SetListeningUpdated(true);
    EXPECT_TRUE(state.GetListening());
    EXPECT_FALSE(state.IsListeningUpdated());

    state.SetHeadphone(true);
    state.SetHeadphoneUpdated(true);
    EXPECT_TRUE(state.GetHeadphone());
    EXPECT_FALSE(state.IsHeadphoneUpdated());

    state.SetSamplingStarted(true);
    state.SetSamplingAnswered(true);
    EXPECT_TRUE(state.GetSamplingStarted());
    EXPECT_FALSE(state.IsSamplingAnswered());

    state.SetResetPressed(true);
    EXPECT_TRUE(state.GetResetPressed());
    EXPECT_FALSE(state.GetResetPressed());

    state.SetPortResult(true);
    EXPECT_TRUE(state.IsPortResultPending());
    EXPECT_TRUE(state.IsPortResultPending());
    EXPECT_TRUE(state.GetPortResult());
    EXPECT_FALSE(state.IsPortResultPending());

    state.SetLinkUp(false);
    EXPECT_TRUE(state.IsLinkChanged());
    EXPECT_FALSE(state.GetLinkUp());
    EXPECT_FALSE(state.IsLinkChanged());
}

TEST(LinkStateConcurrency, TwoThreadsShareTheQueueAndSlots)
{
    CLinkState state;
    constexpr int kCommands = 2000;
    std::thread producer([&] {
        for (int i = 0; i < kCommands; ++i) {
            state.PostCommand(Command(TM_GET_OUTSTATION_VERSION, i));
            state.SetVersion(i % 4, std::to_string(i));
        }
    });
    std::vector<int> taken;
    while (static_cast<int>(taken.size()) < kCommands) {
        LinkCommand command;
        if (state.GetNextCommand(command)) {
            taken.push_back(command.unit);
        }
        state.GetVersion(1);
    }
    producer.join();
    for (int i = 0; i < kCommands; ++i) {
        ASSERT_EQ(taken[i], i);
    }
}

}  // namespace
}  // namespace korvanta
