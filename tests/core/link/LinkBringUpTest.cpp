// Bringing the link up on a port, run to the end on a clock that plays the comms thread: the
// stale port result, the interface unit's presence and the time-outs of both steps.
#include "core/link/LinkBringUp.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"

namespace korvanta {
namespace {

// Every pause moves time on and lets the "comms thread" take the queue: the port opens (or not)
// and the interface unit answers a status request, each as told.
class PlayedLinkClock final : public IClock {
public:
    explicit PlayedLinkClock(CLinkState& link) : link_(link) {}

    int64_t NowMs() override { return now_; }
    void SleepMs(int64_t ms) override
    {
        now_ += ms;
        LinkCommand command;
        while (link_.GetNextCommand(command)) {
            taken.push_back(command);
            if (command.code == TM_CONFIGURE_COM_PORT && portOpens) {
                link_.SetPortResult(*portOpens);
            }
            if (command.code == TM_GET_SENSOR_STATUS && interfaceAnswers) {
                link_.UpdateUnitPresence(1, 0, command.unitMask);
            }
        }
    }

    std::optional<bool> portOpens = true;  // nothing: the port request is never answered
    bool interfaceAnswers = true;
    std::vector<LinkCommand> taken;

private:
    CLinkState& link_;
    int64_t now_ = 0;
};

TEST(LinkBringUpTest, OpensThePortAndWaitsForTheInterfaceUnitToAnswerAfresh)
{
    CLinkState link;
    PlayedLinkClock clock(link);
    link.SetPortResult(false);            // left over from an earlier request
    link.UpdateUnitPresence(15, 15, 15);  // the units of the port before
    LinkCommand waiting;
    waiting.code = TM_GET_CHARGE_STATUS;
    link.PostCommand(waiting);

    LinkBringUp bringUp(link);
    bringUp.Start("/dev/ttyUSB7");
    EXPECT_FALSE(link.IsPortResultPending()) << "the stale result is dropped, not taken for this port's";
    EXPECT_EQ(bringUp.Run(clock, 500, 60000), LinkBringUp::Step::Succeeded);
    EXPECT_EQ(bringUp.Progress(), LinkBringUp::kProgressMax);
    EXPECT_EQ(bringUp.FailureMessage(), 0u);

    // The port first, ahead of what was queued; then the interface unit's status, also ahead.
    ASSERT_GE(clock.taken.size(), 3u);
    EXPECT_EQ(clock.taken[0].code, TM_CONFIGURE_COM_PORT);
    EXPECT_EQ(clock.taken[0].portName, "/dev/ttyUSB7");
    EXPECT_EQ(clock.taken[1].code, TM_GET_CHARGE_STATUS);
    EXPECT_EQ(clock.taken[2].code, TM_GET_SENSOR_STATUS);
    EXPECT_EQ(clock.taken[2].unitMask, 1);
}

// A presence left from the port before does not count as the interface unit's answer.
TEST(LinkBringUpTest, EachStepFailsAfterItsTicksOrTheWholeTimeOut)
{
    struct Case {
        const char* what;
        std::optional<bool> portOpens;
        bool interfaceAnswers;
        bool presentBefore;
        int ticksPerStep;
        int64_t timeoutMs;
        LinkBringUp::Failure failure;
        uint32_t message;
        int64_t endsAtMs;
    };
    const Case cases[] = {
        {"no port answer, 20 ticks", std::nullopt, true, false, 20, 60000, LinkBringUp::Failure::NoPortAnswer,
         str::kComPortOpenFailed, 19 * 500},
        {"port refused", false, true, false, 20, 60000, LinkBringUp::Failure::PortNotOpened, str::kComPortOpenFailed,
         500},
        {"silent interface unit, 20 ticks", true, false, false, 20, 60000, LinkBringUp::Failure::NoInterfaceUnit,
         str::kCommunicationError, 21 * 500},
        {"silent interface unit, units of the port before", true, false, true, 20, 60000,
         LinkBringUp::Failure::NoInterfaceUnit, str::kCommunicationError, 21 * 500},
        {"no port answer, time-out first", std::nullopt, true, false, 1000, 3000, LinkBringUp::Failure::NoPortAnswer,
         str::kComPortOpenFailed, 3000},
        {"silent interface unit, time-out first", true, false, false, 1000, 3000, LinkBringUp::Failure::NoInterfaceUnit,
         str::kCommunicationError, 3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLinkState link;
        PlayedLinkClock clock(link);
        clock.portOpens = c.portOpens;
        clock.interfaceAnswers = c.interfaceAnswers;
        if (c.presentBefore)
            link.UpdateUnitPresence(15, 15, 15);
        LinkBringUp bringUp(link, c.ticksPerStep);
        bringUp.Start("COM3");
        EXPECT_EQ(bringUp.Run(clock, 500, c.timeoutMs), LinkBringUp::Step::Failed);
        EXPECT_EQ(bringUp.FailureReason(), c.failure);
        EXPECT_EQ(bringUp.FailureMessage(), c.message);
        EXPECT_EQ(clock.NowMs(), c.endsAtMs);
    }
}

}  // namespace
}  // namespace korvanta
