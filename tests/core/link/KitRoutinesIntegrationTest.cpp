// Every command routine of the program against the simulated field kit, through the real link
// library: once over the in-process port "SIM", once over a pseudo-terminal.
#include <gtest/gtest.h>

#include "KitIntegrationRig.h"
#include "core/link/ReplyDecoding.h"
#include "core/text/StringIds.h"
#include "tests/sim/SimTestSupport.h"

namespace korvanta::test {
namespace {

using RigFactory = std::function<std::unique_ptr<KitRig>(const sim::KitOptions&)>;

struct RigKind {
    const char* name;
    RigFactory make;
};

void PrintTo(const RigKind& kind, std::ostream* out)
{
    *out << kind.name;
}

class KitRoutinesIntegrationTest : public testing::TestWithParam<RigKind> {
protected:
    void SetUp() override { Use(FastKit()); }
    void Use(const sim::KitOptions& options)
    {
        rig_.reset();
        rig_ = GetParam().make(options);
        ASSERT_TRUE(rig_->opened);
    }

    KitRig& Rig() { return *rig_; }
    LinkCommands& Commands() { return *rig_->commands; }
    CLinkState& State() { return rig_->state; }
    sim::FieldKit& Kit() { return rig_->Kit(); }

    uint32_t errorId = str::kNoError;

private:
    std::unique_ptr<KitRig> rig_;
};

TEST_P(KitRoutinesIntegrationTest, VersionsOfEveryUnit)
{
    Kit().SetFirmware(2, {1, 5, 0});
    Kit().SetFirmware(3, {2, 1, 26});
    ASSERT_TRUE(Commands().GetInterfaceVersion(errorId));
    EXPECT_TRUE(State().IsVersionUpdated(0));
    EXPECT_EQ(State().GetVersion(0), "QX-913-07-200C");
    ASSERT_TRUE(Commands().GetOutstationVersion(2, errorId));
    EXPECT_EQ(State().GetVersion(2), "QX-913-07-105A");
    ASSERT_TRUE(Commands().GetOutstationVersion(3, errorId));
    EXPECT_EQ(State().GetVersion(3), "QX-913-07-201?");
    // An outstation that is off answers through the interface unit with a non-zero status.
    Kit().SetUnitOn(1, false);
    ASSERT_TRUE(Commands().GetOutstationVersion(1, errorId));
    EXPECT_FALSE(State().IsVersionUpdated(1));
    EXPECT_EQ(State().GetVersion(1), "");
    EXPECT_EQ(errorId, str::kNoError);
}

TEST_P(KitRoutinesIntegrationTest, SensorStatusOfTheInterfaceUnitAndTheOutstations)
{
    Kit().SetSensor(1, false);
    Kit().SetSensor(0, true);
    ASSERT_TRUE(Commands().GetInterfaceSensorStatus(errorId));
    EXPECT_TRUE(State().GetLinkUp());
    ASSERT_TRUE(Commands().GetSensorStatus(14, errorId));
    EXPECT_TRUE(State().IsSensorStatusUpdated());
    const std::array<std::pair<bool, bool>, 4> expected = {std::pair{true, true}, std::pair{true, false},
                                                           std::pair{true, true}, std::pair{true, true}};
    for (int unit = 0; unit < 4; ++unit) {
        bool present = false;
        bool sensor = false;
        State().GetUnitStatus(unit, present, sensor);
        EXPECT_EQ(present, expected[unit].first) << unit;
        EXPECT_EQ(sensor, expected[unit].second) << unit;
    }
    // Suspending forgets the units without a word to the kit; the link goes on afterwards.
    const uint64_t requests = Kit().Counters().requests;
    Commands().SuspendComms();
    bool present = true;
    bool sensor = true;
    State().GetUnitStatus(0, present, sensor);
    EXPECT_FALSE(present);
    EXPECT_EQ(Kit().Counters().requests, requests);
    ASSERT_TRUE(Commands().GetInterfaceSensorStatus(errorId));
    State().GetUnitStatus(0, present, sensor);
    EXPECT_TRUE(present);
}

TEST_P(KitRoutinesIntegrationTest, ChargeStatus)
{
    Kit().SetBattery(2, 99);
    Kit().FlattenBattery(3);
    Kit().SetCharging(true);
    ASSERT_TRUE(Commands().RequestChargeStatus(errorId));
    EXPECT_TRUE(State().IsChargeUpdated());
    std::array<int, 4> batteries{};
    int charging = 0;
    State().GetChargeStatus(batteries, charging);
    EXPECT_EQ(batteries, (std::array<int, 4>{180, 200, 99, sim::FieldKit::kFlatBattery}));
    EXPECT_NE(charging, 0);
}

TEST_P(KitRoutinesIntegrationTest, ListeningStartsAndStops)
{
    ASSERT_TRUE(Commands().StartListeningMode(2, errorId));
    EXPECT_TRUE(State().GetListening());
    EXPECT_EQ(Kit().Snapshot().listeningUnit, 2);
    ASSERT_TRUE(Commands().StopListeningMode(errorId));
    EXPECT_FALSE(State().GetListening());
    EXPECT_EQ(Kit().Snapshot().listeningUnit, -1);
    // No sensor, nothing to hear: the unit refuses and the program says listening broke off.
    Kit().SetSensor(3, false);
    EXPECT_FALSE(Commands().StartListeningMode(3, errorId));
    EXPECT_EQ(errorId, str::kListeningInterrupted);
    EXPECT_TRUE(State().IsListeningUpdated());
}

TEST_P(KitRoutinesIntegrationTest, SettingsReachTheKit)
{
    ASSERT_TRUE(Commands().SelectSensors(10, errorId));
    ASSERT_TRUE(Commands().SetRadioMode(3, errorId));
    ASSERT_TRUE(Commands().ControlBeacons(true, errorId));
    sim::KitSnapshot snapshot = Kit().Snapshot();
    EXPECT_EQ(snapshot.selectedMask, 10);
    EXPECT_EQ(snapshot.radioMode, 3);
    EXPECT_EQ(snapshot.beaconMask, 15);
    ASSERT_TRUE(Commands().ControlBeacons(false, errorId));
    EXPECT_EQ(Kit().Snapshot().beaconMask, 0);
}

TEST_P(KitRoutinesIntegrationTest, HeadphonesAndDiagnostics)
{
    ASSERT_TRUE(Commands().GetHeadphoneStatus(errorId));
    EXPECT_TRUE(State().GetHeadphone());
    Kit().SetHeadphones(false);
    ASSERT_TRUE(Commands().GetHeadphoneStatus(errorId));
    EXPECT_TRUE(State().IsHeadphoneUpdated());
    EXPECT_FALSE(State().GetHeadphone());

    for (int unit = 0; unit < 4; ++unit) {
        ASSERT_TRUE(Commands().GetDiagnosticsInfo(unit, errorId));
        EXPECT_TRUE(State().IsDiagnosticsUpdated(unit));
    }
    // Each unit's first two readings, a little apart from unit to unit.
    EXPECT_EQ(State().GetDiagnostics(0).substr(0, 13), "1.20     0.98");
    EXPECT_EQ(State().GetDiagnostics(1).substr(0, 13), "1.22     1.00");
    EXPECT_EQ(State().GetDiagnostics(3).substr(0, 13), "1.26     1.04");
    EXPECT_EQ(State().GetDiagnostics(2).size(), 4u * 11 + 5 * 9 + 20);
}

TEST_P(KitRoutinesIntegrationTest, RadioTestRepliesAsTheSignalScreenReadsThem)
{
    Kit().SetLinkQuality(2, sim::LinkQuality::Acceptable);
    Kit().SetUnitOn(3, false);
    const auto run = [&](int unit, bool flag) {
        State().SetRadioTestDone(false);
        Commands().TestRadioComms(unit, flag);
        const RadioTestResult result = State().GetRadioTestResult();
        EXPECT_EQ(result.done, 1);
        EXPECT_EQ(result.ok, 1);
        return std::vector<uint8_t>(result.reply.begin(), result.reply.end());
    };
    const auto red = run(1, true);
    EXPECT_EQ(red[2], 0x00);  // the alternating flag's byte comes back
    EXPECT_EQ(red[4] | red[5] | red[12], 0);
    EXPECT_GE(red[10], 13);
    const auto blue = run(2, false);
    EXPECT_EQ(blue[2], 0x02);
    EXPECT_EQ(blue[12], 0);
    EXPECT_GE(blue[10], 13);
    EXPECT_NE(blue[4] | blue[5], 0);
    const auto yellow = run(3, true);
    EXPECT_FALSE(yellow[12] == 0 && yellow[10] >= 13);
}

TEST_P(KitRoutinesIntegrationTest, SamplingDeliversAlternatingBlocks)
{
    ASSERT_TRUE(Commands().SelectSensors(6, errorId));
    ASSERT_TRUE(Commands().StartSampling(errorId));
    EXPECT_TRUE(State().IsSamplingAnswered());
    EXPECT_TRUE(State().GetSamplingStarted());
    const std::array<std::pair<int, int>, 4> expected = {std::pair{1, 0}, std::pair{2, 0}, std::pair{1, 1},
                                                         std::pair{2, 1}};
    for (const auto& [unit, number] : expected) {
        ASSERT_TRUE(Commands().GetDataBlock(false, errorId));
        DataBlockRecord record;
        State().FetchDataBlock(record);
        EXPECT_EQ(record.unit, unit);
        EXPECT_EQ(record.blockNumber, number);
        EXPECT_EQ(record.status, sim::kBlockSampled);
        EXPECT_EQ(record.battery, 200);
        EXPECT_EQ(record.payloadLength, kPayloadBytes);
        EXPECT_EQ(sim::test::DecodePayload(std::span<const uint8_t>(record.payload, kPayloadBytes)).result, 2048);
    }
    EXPECT_EQ(Rig().notifier.Posted(), std::vector<uint32_t>(4, kCommandBlockReadyTwoStation));
}

TEST_P(KitRoutinesIntegrationTest, RefusedStartNamesTheUnit)
{
    Kit().SetSensor(1, false);
    EXPECT_FALSE(Commands().StartSampling(errorId));
    EXPECT_EQ(errorId, str::kNoSensorRed);
    Kit().SetSensor(1, true);
    Kit().SetFaulty(2, true);
    EXPECT_FALSE(Commands().StartSampling(errorId));
    EXPECT_EQ(errorId, str::kBlueFault);
    EXPECT_FALSE(State().IsSamplingAnswered());
}

INSTANTIATE_TEST_SUITE_P(Links, KitRoutinesIntegrationTest,
                         testing::Values(RigKind{"InProcess",
                                                 [](const sim::KitOptions& o) -> std::unique_ptr<KitRig> {
                                                     return std::make_unique<InProcessRig>(o);
                                                 }},
                                         RigKind{"PseudoTerminal",
                                                 [](const sim::KitOptions& o) -> std::unique_ptr<KitRig> {
                                                     return std::make_unique<PseudoTerminalRig>(o);
                                                 }}),
                         [](const testing::TestParamInfo<RigKind>& info) { return info.param.name; });

}  // namespace
}  // namespace korvanta::test
