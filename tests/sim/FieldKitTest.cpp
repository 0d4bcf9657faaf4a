// The interface unit's answers, message by message, with the kit's clock in the test's hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "KitTestSupport.h"
#include "SimTestSupport.h"
#include "sim/BlockTiming.h"

namespace korvanta::sim::test {
namespace {

struct BlockHeader {
    uint8_t unit;
    uint8_t status;
    uint8_t battery;
    uint16_t blockNumber;
    uint8_t flags;
};

BlockHeader HeaderOf(const Bytes& reply)
{
    EXPECT_EQ(reply.size(), 2808u);
    EXPECT_EQ(reply.at(0), kOpDataBlock);
    return {reply.at(1), reply.at(2), reply.at(3), static_cast<uint16_t>(reply.at(4) << 8 | reply.at(5)), reply.at(7)};
}

DataBlockRecord RecordOf(const Bytes& reply)
{
    DataBlockRecord record;
    record.unit = reply[1];
    record.status = reply[2];
    record.battery = reply[3];
    record.blockNumber = static_cast<uint16_t>(reply[4] << 8 | reply[5]);
    record.exponent = static_cast<int8_t>(reply[6]);
    record.payloadLength = kPayloadBytes;
    std::memcpy(record.payload, reply.data() + 8, kPayloadBytes);
    return record;
}

const Bytes kStart = {kOpStartSampling, 0x01, 0x00};
const Bytes kBlock = {kOpDataBlock};

// One kit with a unit of each kind, asked every opcode in turn.
TEST(FieldKitReplies, EachOpcodeInItsLayout)
{
    KitOptions options = KitUnderTest::Unpaced();
    options.units[kInterfaceUnit].sensor = true;
    options.units[1].battery = 140;
    options.units[2].sensor = false;
    options.units[2].firmware = {1, 5, 0};
    options.units[2].linkQuality = LinkQuality::Acceptable;
    options.units[2].diagnostics[3] = 0x0203;
    options.units[3].on = false;
    options.charging = true;
    KitUnderTest t(options);
    const std::vector<std::pair<Bytes, Bytes>> exchanges = {
        {{0x00}, {0x00, 0, 2, 0, 2}},
        {{0x15, 2}, {0x15, 0, 1, 5, 0}},
        {{0x15, 3}, {0x15, 1, 0, 0, 0}},  // switched off
        {{0x15, 9}, {0x15, 1, 0, 0, 0}},  // no such unit
        {{0x02, 0x0F}, {0x02, 0x07, 0x00, 0x03}},
        {{0x02, 0x0C}, {0x02, 0x04, 0x00, 0x00}},  // only the units asked
        {{0x05}, {0x05, 180, 140, 200, 0, 0, 1, 0}},
        {{0x01, 2, 0, 0}, {0x01, 2}},  // no sensor to listen to
        {{0x01, 3, 0, 0}, {0x01, 1}},  // off
        {{0x01, 1, 0, 0}, {0x01, 0}},
        {{0x14}, {0x14, 0}},
        {{0x03, 0x0A}, {0x03}},
        {{0x12, 0x01, 3, 3, 3}, {0x12}},
        {{0x16, 0x0F, 0x00}, {0x16}},
        {{0x18}, {0x18, 1}},
        {{0x1A, 3}, DiagnosticsReply(1, {})},
        {{0x42}, {0x42, kStatusRejected}},  // unknown opcode
        {{0x15}, {0x15, kStatusRejected}},  // too short
        {{0x12, 0x01}, {0x12, kStatusRejected}},
        {{}, {}},  // an empty message gets nothing
    };
    for (const auto& [request, reply] : exchanges) {
        EXPECT_EQ(t.Answer(request), reply) << testing::PrintToString(request);
    }
    const Bytes blue = t.Answer({0x1A, 2});
    ASSERT_EQ(blue.size(), 24u);
    EXPECT_EQ(blue[1], 0);
    EXPECT_EQ(blue[8], 0x02);
    EXPECT_EQ(blue[9], 0x03);
    EXPECT_EQ(JudgeRadioTest(t.Answer({0x0D, 0x00, 1, 0x01})), RadioVerdict::Perfect);
    EXPECT_EQ(JudgeRadioTest(t.Answer({0x0D, 0x02, 2, 0x01})), RadioVerdict::Acceptable);
    EXPECT_EQ(JudgeRadioTest(t.Answer({0x0D, 0x00, 3, 0x01})), RadioVerdict::Failed);

    const KitSnapshot snapshot = t.kit.Snapshot();
    EXPECT_EQ(snapshot.listeningUnit, -1);  // started on red, then stopped
    EXPECT_EQ(snapshot.selectedMask, 0x0A);
    EXPECT_EQ(snapshot.radioMode, 3);
    EXPECT_EQ(snapshot.beaconMask, 0x0F);
    const KitCounters counters = t.kit.Counters();
    EXPECT_EQ(counters.rejected, 4u);
    EXPECT_EQ(counters.requestsByOpcode[0x15], 4u);
}

TEST(FieldKitReplies, FailedRadioLinkAndBeaconsOff)
{
    KitUnderTest t;
    t.kit.SetLinkQuality(1, LinkQuality::Failed);
    EXPECT_EQ(JudgeRadioTest(t.Answer({0x0D, 0x00, 1, 0x01})), RadioVerdict::Failed);
    t.Answer({0x16, 0x0F, 0x00});
    t.Answer({0x16, 0x00, 0x06});
    EXPECT_EQ(t.kit.Snapshot().beaconMask, 0x09);
}

// The verdicts of `count` radio tests to `unit`.
std::vector<RadioVerdict> RadioTests(KitUnderTest& t, int unit, int count)
{
    std::vector<RadioVerdict> verdicts;
    for (int i = 0; i < count; ++i) {
        verdicts.push_back(JudgeRadioTest(t.Answer({0x0D, 0x00, static_cast<uint8_t>(unit), 0x01})));
    }
    return verdicts;
}

KitOptions MixedLinks(uint64_t seed)
{
    KitOptions options = KitUnderTest::Unpaced();
    options.seed = seed;
    options.units[1].linkQuality = LinkShares(70, 20, 10);
    options.units[2].linkQuality = LinkShares(60, 25, 15);
    return options;
}

TEST(FieldKitRadioTests, AMixedLinkDrawsEveryOutcomeAndRepeatsWithItsSeed)
{
    KitUnderTest first(MixedLinks(5));
    const std::vector<RadioVerdict> red = RadioTests(first, 1, 200);
    for (const RadioVerdict verdict : {RadioVerdict::Perfect, RadioVerdict::Acceptable, RadioVerdict::Failed}) {
        EXPECT_NE(std::count(red.begin(), red.end(), verdict), 0) << static_cast<int>(verdict);
    }

    // Tests to blue in between leave red's outcomes as they were.
    KitUnderTest interleaved(MixedLinks(5));
    std::vector<RadioVerdict> again;
    for (int i = 0; i < 200; ++i) {
        RadioTests(interleaved, 2, i % 3);
        again.push_back(RadioTests(interleaved, 1, 1).front());
    }
    EXPECT_EQ(again, red);

    KitUnderTest otherSeed(MixedLinks(6));
    EXPECT_NE(RadioTests(otherSeed, 1, 200), red);
}

TEST(FieldKitRadioTests, AnOutstationThatIsOffIsNeverReachedAndBadSharesAreIgnored)
{
    KitUnderTest t(MixedLinks(5));
    t.kit.SetUnitOn(1, false);
    for (int i = 0; i < 20; ++i) {
        const Bytes reply = t.Answer({0x0D, 0x00, 1, 0x01});
        ASSERT_EQ(reply.size(), 14u);
        EXPECT_NE(reply[12], 0) << "no contact";
    }
    t.kit.SetLinkQuality(2, LinkShares(0, 0, 0));
    EXPECT_EQ(t.kit.Snapshot().units[2].linkQuality, LinkShares(60, 25, 15));
    t.kit.SetLinkQuality(2, LinkQuality::Acceptable);
    const std::vector<RadioVerdict> blue = RadioTests(t, 2, 20);
    EXPECT_EQ(std::count(blue.begin(), blue.end(), RadioVerdict::Acceptable), 20);
}

TEST(FieldKitSampling, StartIsRefusedWithTheMasksOfTheCause)
{
    KitUnderTest t;
    t.kit.SetSensor(2, false);
    EXPECT_EQ(t.Answer(kStart), (Bytes{0x06, 1, 0x04, 0x04}));
    EXPECT_FALSE(t.kit.Snapshot().sampling);
    EXPECT_EQ(t.kit.Counters().samplingRefusals, 1u);
    // Nothing sampling: a block request gets an empty block, not a stale one.
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).status, kBlockNothingSampled);
    t.kit.SetSensor(2, true);
    EXPECT_EQ(t.Answer(kStart), (Bytes{0x06, 0, 0, 0}));
    EXPECT_TRUE(t.kit.Snapshot().sampling);
}

TEST(FieldKitSampling, NothingSelectedIsRefusedWithoutACause)
{
    KitUnderTest t;
    t.Answer({kOpSelectSensors, 0});
    EXPECT_EQ(t.Answer(kStart), (Bytes{0x06, 1, 0, 0}));
}

TEST(FieldKitSampling, PairBlocksAlternateAndRestartFromZero)
{
    KitUnderTest t;
    t.Answer({kOpSelectSensors, 6});
    t.Answer(kStart);
    const std::vector<std::pair<int, int>> expected = {{1, 0}, {2, 0}, {1, 1}, {2, 1}, {1, 2}};
    for (const auto& [unit, number] : expected) {
        const BlockHeader header = HeaderOf(t.Answer(kBlock));
        EXPECT_EQ(header.unit, unit);
        EXPECT_EQ(header.blockNumber, number);
        EXPECT_EQ(header.status, kBlockSampled);
        EXPECT_EQ(header.battery, 200);
        EXPECT_EQ(header.flags, 0);
    }
    t.Answer(kStart);
    const BlockHeader first = HeaderOf(t.Answer(kBlock));
    EXPECT_EQ(first.unit, 1);
    EXPECT_EQ(first.blockNumber, 0);
    EXPECT_EQ(t.kit.Counters().blocksServed, 6u);
    EXPECT_EQ(t.kit.Counters().samplingStarts, 2u);
}

// The program stops a measurement by no longer asking for blocks; nothing is sent to the unit.
// A request to listen afterwards is served at once and the stations leave sampling for it.
TEST(FieldKitSampling, ListeningAfterAStoppedMeasurementTakesOver)
{
    KitUnderTest t;
    t.Answer({kOpSelectSensors, 6});
    t.Answer(kStart);
    HeaderOf(t.Answer(kBlock));
    HeaderOf(t.Answer(kBlock));
    EXPECT_EQ(t.Answer({kOpStartListening, 1, 0, 0}), (Bytes{kOpStartListening, 0}));
    const KitSnapshot snapshot = t.kit.Snapshot();
    EXPECT_EQ(snapshot.listeningUnit, 1);
    EXPECT_FALSE(snapshot.sampling);
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).status, kBlockNothingSampled);
    // A fresh start of sampling ends listening in turn.
    t.Answer(kStart);
    EXPECT_EQ(t.kit.Snapshot().listeningUnit, -1);
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).status, kBlockSampled);
}

TEST(FieldKitSampling, ThreeStationsAndTheInterfaceSensorServeInUnitOrder)
{
    KitUnderTest t;
    t.Answer({kOpSelectSensors, 14});
    t.Answer(kStart);
    for (const int unit : {1, 2, 3, 1}) {
        EXPECT_EQ(HeaderOf(t.Answer(kBlock)).unit, unit);
    }
    // The interface unit, when in a pair, is always the second sensor.
    t.kit.SetSensor(kInterfaceUnit, true);
    t.Answer({kOpSelectSensors, 5});
    t.Answer(kStart);
    EXPECT_EQ(t.kit.Snapshot().samplingUnits, (std::vector<uint8_t>{2, 0}));
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).unit, 2);
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).unit, 0);
}

TEST(FieldKitSampling, BlocksCarryACodedSpectrumOfTheLeak)
{
    KitUnderTest t;
    t.Answer(kStart);
    const DataBlockRecord record = RecordOf(t.Answer(kBlock));
    const Decoded decoded = DecodePayload(std::span<const uint8_t>(record.payload, kPayloadBytes));
    EXPECT_EQ(decoded.result, 2048);
    double inBand = 0.0;
    double outOfBand = 0.0;
    const auto bins = DecodedBins(record);
    for (size_t k = 1; k < bins.size(); ++k) {
        const double hz = k / kBlockSeconds;
        if (hz >= 100.0 && hz <= 800.0) {
            inBand += std::norm(bins[k]);
        } else if (hz < 80.0 || hz > 830.0) {
            outOfBand += std::norm(bins[k]);
        }
    }
    // Leak noise lies in its band; each sensor's own noise is 20 dB below it.
    EXPECT_GT(inBand, 10.0 * outOfBand);
}

TEST(FieldKitPacing, BlocksWaitUntilTheyHaveBeenSampled)
{
    KitOptions options;
    options.paced = true;
    KitUnderTest t(options);
    t.Advance(5.0);
    const KitReply started = t.Ask(kStart);
    // Waking the two outstations by radio takes a moment; sampling starts when the reply leaves.
    const double start = SecondsOf(started.due);
    EXPECT_NEAR(start, 5.0 + 2 * FieldKit::kRadioHopSeconds, 1e-6);
    t.Advance(0.3);
    EXPECT_NEAR(SecondsOf(t.Ask(kBlock).due), start + kBlockSeconds, 1e-6);  // red 0
    EXPECT_NEAR(SecondsOf(t.Ask(kBlock).due), start + kBlockSeconds, 1e-6);  // blue 0
    EXPECT_NEAR(SecondsOf(t.Ask(kBlock).due), start + 2 * kBlockSeconds, 1e-6);
    // A program that falls behind gets sampled blocks at once.
    t.Advance(10.0);
    EXPECT_NEAR(SecondsOf(t.Ask(kBlock).due), t.Now(), 1e-6);
}

TEST(FieldKitPacing, RadioDelaysOnlyWhenPaced)
{
    KitOptions options;
    options.paced = true;
    options.units[3].on = false;
    KitUnderTest paced(options);
    EXPECT_NEAR(SecondsOf(paced.Ask({kOpSensorStatus, 15}).due),
                2 * FieldKit::kRadioHopSeconds + FieldKit::kRadioTimeoutSeconds, 1e-6);
    EXPECT_NEAR(SecondsOf(paced.Ask({kOpInterfaceVersion}).due), 0.0, 1e-6);
    options.paced = false;
    KitUnderTest fast(options);
    EXPECT_NEAR(SecondsOf(fast.Ask({kOpSensorStatus, 15}).due), 0.0, 1e-6);
}

TEST(FieldKitFaults, UnitSwitchedOffDuringSamplingSendsSilentBlocks)
{
    KitUnderTest t;
    t.Answer(kStart);
    t.Answer(kBlock);
    t.kit.SetUnitOn(2, false);
    const BlockHeader blue = HeaderOf(t.Answer(kBlock));
    EXPECT_EQ(blue.unit, 2);
    EXPECT_EQ(blue.status, kBlockUnitSilent);
    t.kit.SetSensor(1, false);
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).status, kBlockNoSensor);
    // The block count goes on in step whatever the units do.
    t.kit.SetUnitOn(2, true);
    t.kit.SetSensor(1, true);
    const BlockHeader next = HeaderOf(t.Answer(kBlock));
    EXPECT_EQ(next.unit, 2);
    EXPECT_EQ(next.blockNumber, 1);
    EXPECT_EQ(next.status, kBlockSampled);
}

TEST(FieldKitFaults, FlatBatteryShowsInTheBlocks)
{
    KitUnderTest t;
    t.kit.FlattenBattery(1);
    t.Answer(kStart);
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).battery, FieldKit::kFlatBattery);
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).battery, 200);
}

TEST(FieldKitFaults, ResetAtNextRequestIsReportedOnceOnEachPath)
{
    KitUnderTest t;
    t.Answer(kStart);
    t.Answer(kBlock);
    t.kit.PressResetAtNextRequest();
    EXPECT_EQ(HeaderOf(t.Answer(kBlock)).flags, kResetFlag);
    EXPECT_FALSE(t.kit.Snapshot().sampling);
    EXPECT_EQ(t.Answer({kOpSensorStatus, 15})[2], kResetFlag);
    EXPECT_EQ(t.Answer({kOpSensorStatus, 15})[2], 0);
    const BlockHeader after = HeaderOf(t.Answer(kBlock));
    EXPECT_EQ(after.flags, 0);
    EXPECT_EQ(after.status, kBlockNothingSampled);
    EXPECT_EQ(t.kit.Counters().resetReports, 2u);
}

TEST(FieldKitFaults, ResetWhileABlockIsBeingSampled)
{
    KitOptions options;
    options.paced = true;
    KitUnderTest t(options);
    const double start = SecondsOf(t.Ask(kStart).due);
    t.Advance(1.0);
    t.kit.PressResetAfter(0.5);  // at 1.5 s: during red's block 1, which is ready at start + 1.68 s
    t.Ask(kBlock);
    t.Ask(kBlock);
    const KitReply reply = t.Ask(kBlock);
    EXPECT_EQ(HeaderOf(reply.bytes).flags, kResetFlag);
    EXPECT_NEAR(SecondsOf(reply.due), 1.5, 1e-6);
    EXPECT_LT(SecondsOf(reply.due), start + 2 * kBlockSeconds);
    EXPECT_EQ(t.kit.Counters().resetPresses, 1u);
    // A reset before sampling starts is no news for the next measurement's blocks.
    t.kit.PressResetButton();
    t.Answer(kStart);
    EXPECT_EQ(HeaderOf(t.Ask(kBlock).bytes).flags, 0);
}

TEST(FieldKitFaults, ResetFromTheOptionsCountsFromStart)
{
    KitOptions options = KitUnderTest::Unpaced();
    options.resetAfterSeconds = 2.0;
    KitUnderTest t(options);
    EXPECT_EQ(t.Answer({kOpSensorStatus, 1})[2], 0);
    t.Advance(2.0);
    EXPECT_EQ(t.Answer({kOpSensorStatus, 1})[2], kResetFlag);
}

TEST(FieldKitFaults, IgnoredAndSilencedRequestsGetNoReply)
{
    KitUnderTest t;
    t.kit.IgnoreNextRequests(2);
    EXPECT_TRUE(t.Answer({kOpInterfaceVersion}).empty());
    EXPECT_TRUE(t.Answer({kOpStartSampling, 1, 0}).empty());
    EXPECT_FALSE(t.kit.Snapshot().sampling);  // an unanswered request has no effect
    EXPECT_FALSE(t.Answer({kOpInterfaceVersion}).empty());
    t.kit.SilenceAfterNextRequest();
    EXPECT_TRUE(t.Answer({kOpHeadphones}).empty());
    EXPECT_TRUE(t.kit.IsSilent());
    EXPECT_TRUE(t.Answer({kOpHeadphones}).empty());
    t.kit.SetSilent(false);
    EXPECT_FALSE(t.Answer({kOpHeadphones}).empty());
    EXPECT_EQ(t.kit.Counters().unanswered, 3u);
}

}  // namespace
}  // namespace korvanta::sim::test
