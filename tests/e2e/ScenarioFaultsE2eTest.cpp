// Faults from a scenario's timeline reach the program as it would meet them in the field: as the
// link state the comms thread keeps, and as the end of a measurement that keeps what it summed.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "ScenarioRig.h"
#include "core/text/StringIds.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/document/DocumentHints.h"

namespace korvanta::e2e {
namespace {

using Outcome = MeasurementRunner::Outcome;

constexpr int kRed = 1;
constexpr int kBlue = 2;
constexpr int64_t kWaitMs = 30000;  // on the program's clock

// The default pipe with the given timeline.
std::shared_ptr<sim::Scenario> WithTimeline(const std::string& timeline)
{
    return ScenarioFromText(R"({"timeline": )" + timeline + "}");
}

struct FaultRig : KitRig {
    explicit FaultRig(const std::shared_ptr<sim::Scenario>& s) : KitRig(FastScenarioKit(s)), scenario(s)
    {
        document->Edit().ApplySensorCombination(6);
        document->Edit().ApplyPipeData(UserPipe(*scenario));
    }

    // Polls `condition` on the program's clock; false when it never came true.
    bool WaitUntil(const std::function<bool()>& condition, int64_t timeoutMs = kWaitMs)
    {
        const int64_t deadline = clock.NowMs() + timeoutMs;
        while (clock.NowMs() < deadline) {
            if (condition()) {
                return true;
            }
            clock.SleepMs(20);
        }
        return condition();
    }

    bool Present(int unit)
    {
        bool present = false;
        bool sensor = false;
        link.GetUnitStatus(unit, present, sensor);
        return present;
    }

    bool SensorPlugged(int unit)
    {
        bool present = false;
        bool sensor = false;
        link.GetUnitStatus(unit, present, sensor);
        return sensor;
    }

    // What a measurement that had to end leaves: every pair it summed, saved and read back.
    void ExpectSummedPairsKept(uint32_t atLeast)
    {
        CKorvantaDoc& doc = *document;
        EXPECT_FALSE(doc.IsMeasuring());
        const uint32_t pairs = doc.PairTotal();
        EXPECT_GE(pairs, atLeast);
        EXPECT_EQ(pairs, Count(kHintNewResult));
        EXPECT_TRUE(doc.IsResultValid());
        ASSERT_TRUE(doc.Save(folder / "ended.kvd"));
        doc.NewDocument();
        ASSERT_TRUE(doc.Open(folder / "ended.kvd"));
        EXPECT_EQ(doc.PairTotal(), pairs);
        ASSERT_TRUE(doc.Recompute());
        const double truth = scenario->scene.leaks.front().positionMetres;
        EXPECT_NEAR(doc.ComputeLeakPosition(doc.GetDelay()).fromStart, truth,
                    kLagSeconds * LocalVelocity(*scenario, truth));
    }

    std::shared_ptr<sim::Scenario> scenario;
};

TEST(ScenarioFaults, TheInterfaceUnitLostDropsTheLinkAndEndsTheMeasurement)
{
    FaultRig rig(WithTimeline(R"([{"afterBlocks": 8, "event": "link-dead"}])"));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    EXPECT_EQ(rig.Measure(20), Outcome::Ended);
    EXPECT_EQ(rig.messages.Shown(), std::vector<uint32_t>{str::kCommunicationError});
    EXPECT_TRUE(rig.kit->Kit().IsSilent());
    EXPECT_FALSE(rig.link.GetLinkUp());
    EXPECT_EQ(rig.Count(kHintMeasurementEnded), 1u);
    rig.ExpectSummedPairsKept(3);
}

TEST(ScenarioFaults, TheResetButtonReachesTheProgramAsItsFlag)
{
    FaultRig rig(WithTimeline(R"([{"at": 0.3, "event": "reset-button"}])"));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    EXPECT_TRUE(rig.WaitUntil([&] { return rig.link.GetResetPressed(); }));
    EXPECT_EQ(rig.kit->Kit().Counters().resetPresses, 1u);
}

TEST(ScenarioFaults, TheResetButtonDuringAMeasurementEndsItAndKeepsWhatWasSummed)
{
    FaultRig rig(WithTimeline(R"([{"afterBlocks": 9, "event": "reset-button"}])"));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    EXPECT_EQ(rig.Measure(20), Outcome::Ended);
    EXPECT_EQ(rig.messages.Shown(), std::vector<uint32_t>{str::kResetPressedDuringMeasurement});
    EXPECT_EQ(rig.Count(kHintMeasurementEnded), 1u);
    rig.ExpectSummedPairsKept(3);
}

TEST(ScenarioFaults, ADrainingBatteryAndTheChargerShowInTheChargeStatus)
{
    FaultRig rig(WithTimeline(R"([{"at": 0, "event": "battery-drain", "unit": "blue", "overSeconds": 1.5},
                                 {"at": 0.5, "event": "charging", "on": true}])"));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    int lowest = 255;
    bool rose = false;
    int charging = 0;
    const bool flat = rig.WaitUntil([&] {
        if (!rig.link.IsChargeUpdated()) {
            return false;
        }
        std::array<int, CLinkState::kUnits> batteries{};
        rig.link.GetChargeStatus(batteries, charging);
        rose = rose || batteries[kBlue] > lowest;
        lowest = std::min(lowest, batteries[kBlue]);
        EXPECT_EQ(batteries[kRed], 200);  // the others keep theirs
        return batteries[kBlue] == sim::FieldKit::kFlatBattery && charging == 1;
    });
    EXPECT_TRUE(flat) << "blue's battery at " << lowest << ", charging " << charging;
    EXPECT_FALSE(rose);
}

TEST(ScenarioFaults, AnOutstationSwitchedOffIsGoneAfterTwoMissedAnswers)
{
    FaultRig rig(WithTimeline(R"([{"at": 1.5, "event": "unit-off", "unit": "blue"}])"));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    ASSERT_TRUE(rig.WaitUntil([&] { return rig.Present(kBlue); }));
    ASSERT_TRUE(rig.WaitUntil([&] { return !rig.kit->Kit().Snapshot().units[kBlue].on; }));
    const int64_t off = rig.clock.NowMs();
    const uint64_t asked = rig.kit->Kit().Counters().requestsByOpcode[sim::kOpSensorStatus];
    ASSERT_TRUE(rig.WaitUntil([&] { return !rig.Present(kBlue); }));
    // The comms thread asks after red and blue by turns, one every 2 s: blue's second missed
    // answer comes 4 s after its first at the earliest.
    EXPECT_GE(rig.clock.NowMs() - off, 3900);
    EXPECT_GE(rig.kit->Kit().Counters().requestsByOpcode[sim::kOpSensorStatus] - asked, 2u);
    EXPECT_TRUE(rig.Present(kRed));
}

TEST(ScenarioFaults, AnUnpluggedSensorShowsInTheUnitStatus)
{
    FaultRig rig(WithTimeline(R"([{"at": 1.5, "event": "sensor-unplugged", "unit": "red"}])"));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    ASSERT_TRUE(rig.WaitUntil([&] { return rig.SensorPlugged(kRed) && rig.SensorPlugged(kBlue); }));
    ASSERT_TRUE(rig.WaitUntil([&] { return rig.Present(kRed) && !rig.SensorPlugged(kRed); }));
    EXPECT_TRUE(rig.SensorPlugged(kBlue));
}

// An outstation switched off, or a sensor unplugged, during a measurement ends it, names the
// unit and keeps what was summed.
TEST(ScenarioFaults, AUnitLostDuringAMeasurementEndsItNamingTheUnit)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {R"([{"afterBlocks": 7, "event": "unit-off", "unit": "red"}])", str::kRedNotAnswering},
        {R"([{"afterBlocks": 9, "event": "sensor-unplugged", "unit": "blue"}])", str::kNoSensorBlue},
    };
    for (const auto& [timeline, message] : cases) {
        SCOPED_TRACE(timeline);
        FaultRig rig(WithTimeline(timeline));
        ASSERT_TRUE(rig.Open()) << rig.kitError;
        EXPECT_EQ(rig.Measure(20), Outcome::Ended);
        EXPECT_EQ(rig.Count(kHintMeasurementEnded), 1u);
        EXPECT_EQ(rig.messages.Shown(), std::vector<uint32_t>{message});
        rig.ExpectSummedPairsKept(3);
    }
}

TEST(ScenarioFaults, FramesLostAndDamagedForAWhileCostNothingButTime)
{
    // On real time: a lost frame costs the link's retransmission time, which the program's own
    // time-outs allow for in the field.
    const auto scenario = WithTimeline(R"([{"afterBlocks": 2, "event": "frames", "lose": 0.3, "corrupt": 0.1,
                                            "forSeconds": 3}])");
    RealTimeRig rig(FastScenarioKit(scenario));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    CKorvantaDoc& doc = *rig.document;
    doc.Edit().ApplySensorCombination(6);
    doc.Edit().ApplyPipeData(UserPipe(*scenario));
    ASSERT_EQ(rig.Measure(6), Outcome::Complete) << rig.messageText.str();
    const sim::LineFaultCounters line = rig.kit->Device().LineCounters();
    EXPECT_GT(line.lostOut + line.lostIn + line.corruptedOut + line.corruptedIn, 0u);
    EXPECT_GT(rig.kit->Device().LinkCounters().retransmissions, 0u);
    EXPECT_EQ(doc.PairTotal(), 6u);
    ASSERT_TRUE(doc.Recompute());
    EXPECT_NEAR(doc.ComputeLeakPosition(doc.GetDelay()).fromStart, 43.5f, kLagSeconds * LocalVelocity(*scenario, 43.5));
}

}  // namespace
}  // namespace korvanta::e2e
