#include <gtest/gtest.h>

#include <memory>

#include <functional>
#include <string>

#include "FakeClock.h"
#include "FakeLinkLibrary.h"
#include "RecordingSinks.h"
#include "core/link/LinkCommands.h"
#include "core/text/StringIds.h"

namespace korvanta::test {
namespace {

using Kind = FarEndReply::Kind;

class LinkCommandsFixture {
protected:
    void Reply(FarEndReply reply)
    {
        library.SetFarEnd([reply](const Bytes&) { return reply; });
    }
    // A reply of `size` bytes: the opcode, then `fields` from byte 1, then zeros.
    static Bytes ReplyOf(uint8_t opcode, size_t size, const Bytes& fields = {})
    {
        Bytes bytes(size, 0);
        bytes[0] = opcode;
        std::copy(fields.begin(), fields.end(), bytes.begin() + 1);
        return bytes;
    }

    FakeClock clock;
    FakeLinkLibrary library{clock};
    CLinkState state;
    CRadioLink link{library, clock};
    RecordingNotifier notifier;
    LinkCommands commands{link, library, state, &notifier};
    uint32_t errorId = str::kNoError;
};

// What every routine shares: its request, its reply capacity and time-out, and what a failed
// exchange leaves behind.
struct RoutineCase {
    const char* name;
    std::function<bool(LinkCommands&, uint32_t&)> run;
    Bytes request;
    size_t capacity;
    int64_t timeoutMs;
    uint32_t failureId;  // kNoError: the routine sets no message
    bool resetsOnFailure;
};

void PrintTo(const RoutineCase& c, std::ostream* os)
{
    *os << c.name;
}

class RoutineTest : public LinkCommandsFixture, public ::testing::TestWithParam<RoutineCase> {};

TEST_P(RoutineTest, SendsItsRequestAndAcceptsAFullReply)
{
    const RoutineCase& c = GetParam();
    Reply(FarEndReply::Answer(ReplyOf(c.request[0], c.capacity)));
    EXPECT_TRUE(c.run(commands, errorId));
    EXPECT_EQ(errorId, str::kNoError);
    ASSERT_EQ(library.Sent().size(), 1u);
    EXPECT_EQ(library.Sent()[0].bytes, c.request);
}

TEST_P(RoutineTest, ReplyLongerThanItsCapacityFails)
{
    const RoutineCase& c = GetParam();
    Reply(FarEndReply::Answer(ReplyOf(c.request[0], c.capacity + 1)));
    EXPECT_FALSE(c.run(commands, errorId));
    EXPECT_EQ(link.GetLastError(), kLinkWrongSize);
    EXPECT_EQ(errorId, c.failureId);
    EXPECT_EQ(library.ResetCount(), c.resetsOnFailure ? 1 : 0);
}

TEST_P(RoutineTest, ReplyToAnotherCommandFails)
{
    const RoutineCase& c = GetParam();
    Reply(FarEndReply::Answer(ReplyOf(static_cast<uint8_t>(c.request[0] ^ 0x40), c.capacity)));
    EXPECT_FALSE(c.run(commands, errorId));
    EXPECT_EQ(link.GetLastError(), kLinkInvalidMessage);
    EXPECT_EQ(errorId, c.failureId);
}

TEST_P(RoutineTest, SilentFarEndTimesOutAfterTheRoutinesTimeOut)
{
    const RoutineCase& c = GetParam();
    Reply(FarEndReply::Of(Kind::Silent));
    EXPECT_FALSE(c.run(commands, errorId));
    EXPECT_EQ(link.GetLastError(), kLinkTimeout);
    EXPECT_EQ(errorId, c.failureId);
    // One poll cycle for the acknowledgement, then the reply wait.
    EXPECT_GT(clock.NowMs(), c.timeoutMs);
    EXPECT_LE(clock.NowMs(), c.timeoutMs + 300);
}

TEST_P(RoutineTest, UnacknowledgedSendFails)
{
    const RoutineCase& c = GetParam();
    Reply(FarEndReply::Of(Kind::NotAcknowledged));
    EXPECT_FALSE(c.run(commands, errorId));
    EXPECT_EQ(link.GetLastError(), kLinkNotAcknowledged);
    EXPECT_EQ(errorId, c.failureId);
}

using C = LinkCommands;
const uint32_t kComms = str::kCommunicationError;

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, RoutineTest,
    ::testing::Values(
        RoutineCase{"InterfaceVersion",
                    [](C& c, uint32_t& id) { return c.GetInterfaceVersion(id); },
                    {0x00},
                    32,
                    3000,
                    kComms,
                    true},
        RoutineCase{"OutstationVersion",
                    [](C& c, uint32_t& id) { return c.GetOutstationVersion(2, id); },
                    {0x15, 0x02},
                    32,
                    6000,
                    kComms,
                    true},
        RoutineCase{"SensorStatus",
                    [](C& c, uint32_t& id) { return c.GetSensorStatus(4, id); },
                    {0x02, 0x04},
                    4,
                    18000,
                    kComms,
                    true},
        RoutineCase{"InterfaceSensorStatus",
                    [](C& c, uint32_t& id) { return c.GetInterfaceSensorStatus(id); },
                    {0x02, 0x01},
                    4,
                    3000,
                    kComms,
                    true},
        RoutineCase{"ChargeStatus",
                    [](C& c, uint32_t& id) { return c.RequestChargeStatus(id); },
                    {0x05},
                    8,
                    3000,
                    kComms,
                    true},
        RoutineCase{"StartListening",
                    [](C& c, uint32_t& id) { return c.StartListeningMode(3, id); },
                    {0x01, 0x03, 0x00, 0x00},
                    2,
                    3000,
                    kComms,
                    true},
        RoutineCase{
            "StopListening", [](C& c, uint32_t& id) { return c.StopListeningMode(id); }, {0x14}, 2, 3000, kComms, true},
        RoutineCase{"SelectSensors",
                    [](C& c, uint32_t& id) { return c.SelectSensors(12, id); },
                    {0x03, 0x0C},
                    2,
                    3000,
                    kComms,
                    true},
        RoutineCase{"RadioMode",
                    [](C& c, uint32_t& id) { return c.SetRadioMode(3, id); },
                    {0x12, 0x01, 0x03, 0x03, 0x03},
                    2,
                    3000,
                    kComms,
                    true},
        RoutineCase{
            "Headphone", [](C& c, uint32_t& id) { return c.GetHeadphoneStatus(id); }, {0x18}, 2, 3000, kComms, true},
        RoutineCase{"Diagnostics",
                    [](C& c, uint32_t& id) { return c.GetDiagnosticsInfo(1, id); },
                    {0x1A, 0x01},
                    24,
                    6000,
                    kComms,
                    true},
        RoutineCase{"BeaconsOn",
                    [](C& c, uint32_t& id) { return c.ControlBeacons(true, id); },
                    {0x16, 0x0F, 0x00},
                    2,
                    3000,
                    kComms,
                    true},
        RoutineCase{"BeaconsOff",
                    [](C& c, uint32_t& id) { return c.ControlBeacons(false, id); },
                    {0x16, 0x00, 0x0F},
                    2,
                    3000,
                    kComms,
                    true},
        RoutineCase{"StartSampling",
                    [](C& c, uint32_t& id) { return c.StartSampling(id); },
                    {0x06, 0x01, 0x00},
                    4,
                    12000,
                    kComms,
                    true},
        RoutineCase{"DataBlock",
                    [](C& c, uint32_t& id) { return c.GetDataBlock(false, id); },
                    {0x07},
                    2808,
                    5000,
                    kComms,
                    false},
        RoutineCase{"RadioTestOn",
                    [](C& c, uint32_t&) { return c.TestRadioComms(2, true); },
                    {0x0D, 0x00, 0x02, 0x01},
                    14,
                    2000,
                    str::kNoError,
                    false},
        RoutineCase{"RadioTestOff",
                    [](C& c, uint32_t&) { return c.TestRadioComms(1, false); },
                    {0x0D, 0x02, 0x01, 0x01},
                    14,
                    2000,
                    str::kNoError,
                    false}),
    [](const ::testing::TestParamInfo<RoutineCase>& info) { return std::string(info.param.name); });

class CommandRepliesTest : public LinkCommandsFixture, public ::testing::Test {};

TEST_F(CommandRepliesTest, VersionTexts)
{
    Reply(FarEndReply::Answer(ReplyOf(0x00, 5, {9, 2, 0, 2})));
    ASSERT_TRUE(commands.GetInterfaceVersion(errorId));
    EXPECT_TRUE(state.IsVersionUpdated(0));
    EXPECT_EQ(state.GetVersion(0), "QX-913-07-200C");

    Reply(FarEndReply::Answer(ReplyOf(0x15, 5, {0, 1, 5, 26})));
    ASSERT_TRUE(commands.GetOutstationVersion(3, errorId));
    EXPECT_EQ(state.GetVersion(3), "QX-913-07-105?");

    // An outstation that reports no valid version leaves an empty text and no news.
    Reply(FarEndReply::Answer(ReplyOf(0x15, 5, {1, 1, 5, 0})));
    EXPECT_TRUE(commands.GetOutstationVersion(3, errorId));
    EXPECT_FALSE(state.IsVersionUpdated(3));
    EXPECT_EQ(state.GetVersion(3), "");
}

TEST_F(CommandRepliesTest, AReplyThatCameTooLateIsNotTakenForTheNextAnswer)
{
    // Yellow answers its version 7 s late, after the 6 s time-out and the reset behind it.
    library.SetFarEnd([](const Bytes& r) {
        if (r == Bytes{0x15, 3})
            return FarEndReply::Late(ReplyOf(0x15, 5, {0, 9, 9, 9}), 7000);
        return FarEndReply::Answer(ReplyOf(0x15, 5, {0, 1, 0, 2}));
    });
    EXPECT_FALSE(commands.GetOutstationVersion(3, errorId));
    clock.SleepMs(2000);
    EXPECT_TRUE(commands.GetOutstationVersion(1, errorId));
    EXPECT_EQ(state.GetVersion(1), "QX-913-07-100C");
    EXPECT_FALSE(library.HasWaitingMessage());

    // A data-block fetch resets nothing after its time-out: its late block must not be the next.
    auto fetches = std::make_shared<int>(0);
    library.SetFarEnd([fetches](const Bytes&) {
        Bytes block = ReplyOf(0x07, 2808, {2, 0, 200, 0, static_cast<uint8_t>(*fetches)});
        return ++*fetches == 1 ? FarEndReply::Late(block, 6000) : FarEndReply::Answer(block);
    });
    EXPECT_FALSE(commands.GetDataBlock(false, errorId));
    clock.SleepMs(2000);
    ASSERT_TRUE(commands.GetDataBlock(false, errorId));
    DataBlockRecord block;
    state.FetchDataBlock(block);
    EXPECT_EQ(block.blockNumber, 1);
}

TEST_F(CommandRepliesTest, SensorStatusUpdatesPresence)
{
    Reply(FarEndReply::Answer({0x02, 0x0F, 0x00, 0x05}));
    ASSERT_TRUE(commands.GetSensorStatus(15, errorId));
    EXPECT_TRUE(state.IsSensorStatusUpdated());
    bool present = false, sensor = false;
    state.GetUnitStatus(0, present, sensor);
    EXPECT_TRUE(present);
    EXPECT_TRUE(sensor);
    state.GetUnitStatus(1, present, sensor);
    EXPECT_TRUE(present);
    EXPECT_FALSE(sensor);
    state.GetUnitStatus(2, present, sensor);
    EXPECT_TRUE(sensor);

    // A failed exchange drops the interface unit at once.
    Reply(FarEndReply::Of(Kind::Silent));
    EXPECT_FALSE(commands.GetInterfaceSensorStatus(errorId));
    EXPECT_EQ(errorId, str::kCommunicationError);
    state.GetUnitStatus(0, present, sensor);
    EXPECT_FALSE(present);
    EXPECT_FALSE(state.GetLinkUp());
}

TEST_F(CommandRepliesTest, ResetButtonLeavesPresenceAsItWas)
{
    Reply(FarEndReply::Answer({0x02, 0x0F, 0x00, 0x0F}));
    ASSERT_TRUE(commands.GetSensorStatus(15, errorId));
    state.SetSensorStatusUpdated(false);

    Reply(FarEndReply::Answer({0x02, 0x00, 0x80, 0x00}));
    EXPECT_FALSE(commands.GetSensorStatus(15, errorId));
    EXPECT_EQ(errorId, str::kNoError);
    EXPECT_EQ(library.ResetCount(), 1);
    EXPECT_FALSE(state.IsSensorStatusUpdated());
    for (int unit = 0; unit < 4; ++unit) {
        bool present = false, sensor = false;
        state.GetUnitStatus(unit, present, sensor);
        EXPECT_TRUE(present && sensor) << unit;
    }
    EXPECT_TRUE(state.GetResetPressed());

    EXPECT_TRUE(commands.GetInterfaceSensorStatus(errorId));
    EXPECT_TRUE(state.GetResetPressed());
}

TEST_F(CommandRepliesTest, ChargeStatus)
{
    Reply(FarEndReply::Answer({0x05, 10, 20, 30, 40, 99, 1, 77}));
    ASSERT_TRUE(commands.RequestChargeStatus(errorId));
    std::array<int, 4> batteries = {};
    int charging = 0;
    EXPECT_TRUE(state.IsChargeUpdated());
    state.GetChargeStatus(batteries, charging);
    EXPECT_EQ(batteries, (std::array<int, 4>{10, 20, 30, 40}));
    EXPECT_EQ(charging, 1);
    EXPECT_FALSE(state.IsChargeUpdated());

    Reply(FarEndReply::Of(Kind::Silent));
    EXPECT_FALSE(commands.RequestChargeStatus(errorId));
    EXPECT_FALSE(state.IsChargeUpdated());
    state.GetChargeStatus(batteries, charging);
    EXPECT_EQ(batteries, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(charging, 0);
}

TEST_F(CommandRepliesTest, ListeningRefusals)
{
    Reply(FarEndReply::Answer({0x01, 0}));
    ASSERT_TRUE(commands.StartListeningMode(1, errorId));
    EXPECT_TRUE(state.GetListening());

    Reply(FarEndReply::Answer({0x01, 3}));
    EXPECT_FALSE(commands.StartListeningMode(1, errorId));
    EXPECT_EQ(errorId, str::kListeningInterrupted);
    EXPECT_TRUE(state.IsListeningUpdated());
    EXPECT_FALSE(state.GetListening());
    EXPECT_EQ(library.ResetCount(), 0);

    errorId = str::kNoError;
    Reply(FarEndReply::Answer({0x14, 1}));
    EXPECT_FALSE(commands.StopListeningMode(errorId));
    EXPECT_EQ(errorId, str::kListeningStopFailed);
    EXPECT_EQ(library.ResetCount(), 1);
}

TEST_F(CommandRepliesTest, HeadphoneAndDiagnostics)
{
    Reply(FarEndReply::Answer({0x18, 5}));
    ASSERT_TRUE(commands.GetHeadphoneStatus(errorId));
    EXPECT_TRUE(state.GetHeadphone());

    Bytes reply = ReplyOf(0x1A, 24);
    reply[2] = 0x03;  // 1023 = 2.00 V
    reply[3] = 0xFF;
    reply[5] = 0x01;   // 1 = 0.00 V
    reply[22] = 0x01;  // 256 = 0.50 V
    reply[23] = 0x00;
    Reply(FarEndReply::Answer(reply));
    ASSERT_TRUE(commands.GetDiagnosticsInfo(2, errorId));
    const std::string gap(5, ' ');
    EXPECT_EQ(state.GetDiagnostics(2), "2.00" + gap + "0.00" + gap + "0.00" + gap + "0.00" + gap + "0.00" + gap +
                                           "0.00" + gap + "0.00" + gap + "0.00" + std::string(20, ' ') + "0.00" + gap +
                                           "0.00" + gap + "0.50");

    reply[1] = 1;  // invalid: the text stays, the screen still hears of the answer
    Reply(FarEndReply::Answer(reply));
    ASSERT_TRUE(commands.GetDiagnosticsInfo(2, errorId));
    EXPECT_TRUE(state.IsDiagnosticsUpdated(2));
    EXPECT_EQ(state.GetDiagnostics(2).substr(0, 4), "2.00");

    reply[1] = 0;
    Reply(FarEndReply::Answer(reply));
    EXPECT_TRUE(commands.GetDiagnosticsInfo(7, errorId));
}

struct SamplingRefusal {
    uint8_t maskA;
    uint8_t maskB;
    uint32_t id;
};

class StartSamplingRefusalTest : public LinkCommandsFixture, public ::testing::TestWithParam<SamplingRefusal> {};

TEST_P(StartSamplingRefusalTest, NamesTheFirstUnitAtFault)
{
    const SamplingRefusal& r = GetParam();
    Reply(FarEndReply::Answer({0x06, 1, r.maskA, r.maskB}));
    errorId = 1;  // the routine presets the ID itself
    EXPECT_FALSE(commands.StartSampling(errorId));
    EXPECT_EQ(errorId, r.id);
    EXPECT_EQ(library.ResetCount(), 0);
    EXPECT_FALSE(state.IsSamplingAnswered());
    EXPECT_FALSE(state.GetSamplingStarted());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, StartSamplingRefusalTest,
    ::testing::Values(SamplingRefusal{0x06, 0x04, str::kRedNotAnswering},
                      SamplingRefusal{0x02, 0x02, str::kNoSensorRed}, SamplingRefusal{0x04, 0x02, str::kRedFault},
                      SamplingRefusal{0x04, 0x00, str::kBlueNotAnswering},
                      SamplingRefusal{0x0C, 0x0C, str::kNoSensorBlue}, SamplingRefusal{0x08, 0x04, str::kBlueFault},
                      SamplingRefusal{0x08, 0x00, str::kYellowNotAnswering},
                      SamplingRefusal{0x09, 0x08, str::kNoSensorYellow}, SamplingRefusal{0x01, 0x08, str::kYellowFault},
                      SamplingRefusal{0x01, 0x01, str::kNoSensorInterface}, SamplingRefusal{0x01, 0x00, str::kNoError},
                      SamplingRefusal{0x00, 0x00, str::kNoError}));

TEST_F(CommandRepliesTest, StartSamplingSuccessIsAnswered)
{
    Reply(FarEndReply::Answer({0x06, 0, 0, 0}));
    ASSERT_TRUE(commands.StartSampling(errorId));
    EXPECT_TRUE(state.IsSamplingAnswered());
    EXPECT_TRUE(state.GetSamplingStarted());
    EXPECT_FALSE(state.IsSamplingAnswered());
}

TEST_F(CommandRepliesTest, DataBlockBecomesARecordAndIsAnnounced)
{
    Bytes reply = ReplyOf(0x07, 2808, {2, 1, 0xB4, 0x12, 0x34, 0xFD, 0x00});
    for (size_t i = 8; i < reply.size(); ++i) {
        reply[i] = static_cast<uint8_t>(i * 7);
    }
    Reply(FarEndReply::Answer(reply));
    ASSERT_TRUE(commands.GetDataBlock(true, errorId));
    EXPECT_TRUE(state.IsDataBlockReady());
    EXPECT_EQ(notifier.Posted(), (std::vector<uint32_t>{kCommandBlockReadyThreeStation}));

    DataBlockRecord record;
    state.FetchDataBlock(record);
    EXPECT_FALSE(state.IsDataBlockReady());
    EXPECT_EQ(record.unit, 2);
    EXPECT_EQ(record.status, 1);
    EXPECT_EQ(record.battery, 0xB4);
    EXPECT_EQ(record.blockNumber, 0x1234);
    EXPECT_EQ(record.exponent, -3);
    EXPECT_EQ(record.payloadLength, 2800);
    EXPECT_EQ(record.payload[0], reply[8]);
    EXPECT_EQ(record.payload[2799], reply[2807]);
    bool present = false, sensor = false;
    state.GetUnitStatus(2, present, sensor);
    EXPECT_TRUE(present && sensor);

    Reply(FarEndReply::Answer(reply));
    ASSERT_TRUE(commands.GetDataBlock(false, errorId));
    EXPECT_EQ(notifier.Posted().back(), kCommandBlockReadyTwoStation);
}

TEST_F(CommandRepliesTest, DataBlockAfterResetButtonIsRefused)
{
    Reply(FarEndReply::Answer(ReplyOf(0x07, 2808, {1, 1, 100, 0, 5, 0, 0x80})));
    EXPECT_FALSE(commands.GetDataBlock(false, errorId));
    EXPECT_EQ(errorId, str::kResetPressedDuringMeasurement);
    EXPECT_FALSE(state.IsDataBlockReady());
    EXPECT_TRUE(notifier.Posted().empty());
    EXPECT_EQ(library.ResetCount(), 0);
}

TEST_F(CommandRepliesTest, RadioTestResult)
{
    Bytes reply = ReplyOf(0x0D, 14);
    reply[4] = 77;
    reply[13] = 99;
    Reply(FarEndReply::Answer(reply));
    ASSERT_TRUE(commands.TestRadioComms(1, true));
    RadioTestResult result = state.GetRadioTestResult();
    EXPECT_EQ(result.ok, 1);
    EXPECT_EQ(result.done, 1);
    EXPECT_EQ(result.reply[4], 77);
    EXPECT_EQ(result.reply[13], 99);

    state.SetRadioTestDone(false);
    Reply(FarEndReply::Of(Kind::Silent));
    EXPECT_FALSE(commands.TestRadioComms(1, true));
    result = state.GetRadioTestResult();
    EXPECT_EQ(result.ok, 0);
    EXPECT_EQ(result.done, 1);
}

TEST_F(CommandRepliesTest, SuspendClearsWhatTheScreensShow)
{
    state.SetChargeStatus({5, 6, 7, 8}, 1);
    state.UpdateUnitPresence(15, 15, 15);
    commands.SuspendComms();
    EXPECT_TRUE(state.IsChargeUpdated());
    EXPECT_TRUE(state.IsSensorStatusUpdated());
    std::array<int, 4> batteries = {};
    int charging = 1;
    state.GetChargeStatus(batteries, charging);
    EXPECT_EQ(batteries, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(charging, 0);
    bool present = true, sensor = true;
    state.GetUnitStatus(0, present, sensor);
    EXPECT_FALSE(present || sensor);
    EXPECT_EQ(library.ResetCount(), 1);
}

}  // namespace
}  // namespace korvanta::test
