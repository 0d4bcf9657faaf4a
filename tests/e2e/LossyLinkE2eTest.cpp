// A field radio link loses and damages frames in bursts: with the framing's retransmission and
// heartbeats a measurement rides through 30 % of its frames lost or damaged, from the start or
// from the middle on, and only a link that is really gone ends it.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "ScenarioRig.h"
#include "core/document/DocumentHints.h"
#include "orvelink/framing/LinkClock.h"
#include "orvelink/orvelink_transport.h"

namespace korvanta::e2e {
namespace {

using Outcome = MeasurementRunner::Outcome;

// Program, link library and kit all run four times faster than real time, so the link's own
// retransmission and silence times shrink with the program's time-outs and keep their proportions.
using FastClock = ScaledClockOf<4>;

class FastLinkClock final : public orvelink::LinkClock {
public:
    TimePoint Now() const override { return TimePoint(std::chrono::milliseconds(clock_.NowMs())); }
    static int64_t NowMs(void* clock) { return static_cast<IClock*>(clock)->NowMs(); }

private:
    mutable FastClock clock_;
};

struct KitClock {
    FastLinkClock kitClock;
};

struct LossyLinkRig : KitClock, BasicKitRig<FastClock> {
    explicit LossyLinkRig(const std::shared_ptr<sim::Scenario>& s)
        : BasicKitRig<FastClock>(FastScenarioKit(s), &kitClock), scenario(s)
    {
        orvelink_set_clock(&FastLinkClock::NowMs, static_cast<IClock*>(&clock));
        document->Edit().ApplySensorCombination(6);
        document->Edit().ApplyPipeData(UserPipe(*scenario));
    }
    ~LossyLinkRig() override
    {
        runner.reset();
        headless.reset();  // the link closes on the clock it ran on
        orvelink_set_clock(nullptr, nullptr);
    }

    std::shared_ptr<sim::Scenario> scenario;
};

TEST(LossyLink, ThirtyPercentOfTheFramesLostOrDamagedCostTimeNotTheMeasurement)
{
    constexpr uint32_t kPairs = 12;
    for (const std::string& faults : {
             std::string(R"("seed": 1, "lineFaults": {"lose": 0.3})"),
             std::string(R"("seed": 2, "lineFaults": {"lose": 0.15, "corrupt": 0.15})"),
             std::string(R"("seed": 3, "timeline": [{"afterBlocks": 6, "event": "frames", "corrupt": 0.3,
                                                     "forSeconds": 3600}])"),
         }) {
        LossyLinkRig rig(ScenarioFromText("{" + faults + "}"));
        ASSERT_TRUE(rig.Open()) << rig.kitError;
        EXPECT_EQ(rig.Measure(kPairs), Outcome::Complete) << faults << "\n" << rig.messageText.str();
        const sim::LineFaultCounters line = rig.kit->Device().LineCounters();
        EXPECT_GT(line.lostOut + line.lostIn + line.corruptedOut + line.corruptedIn, 10u) << faults;
        EXPECT_EQ(rig.document->PairTotal(), kPairs) << faults;
        ASSERT_TRUE(rig.document->Recompute()) << faults;
        EXPECT_NEAR(rig.document->ComputeLeakPosition(rig.document->GetDelay()).fromStart, 43.5,
                    kLagSeconds * LocalVelocity(*rig.scenario, 43.5))
            << faults;
    }
}

TEST(LossyLink, ALinkThatIsReallyGoneStillEndsTheMeasurement)
{
    LossyLinkRig rig(ScenarioFromText(R"({"lineFaults": {"lose": 0.3},
                                          "timeline": [{"afterBlocks": 8, "event": "link-dead"}]})"));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    EXPECT_EQ(rig.Measure(20), Outcome::Ended);
    EXPECT_FALSE(rig.link.GetLinkUp());
    EXPECT_EQ(rig.Count(kHintMeasurementEnded), 1u);
    EXPECT_GE(rig.document->PairTotal(), 2u);
    EXPECT_LT(rig.document->PairTotal(), 20u);
}

}  // namespace
}  // namespace korvanta::e2e
