// The comms thread over the in-process kit when the link is idle for long, is lost and is opened
// again from the port menu: a crew never needs to restart the program.
#include <gtest/gtest.h>

#include "CommsThreadKitTest.h"

namespace korvanta::test {
namespace {

class KitLinkRecoveryTest : public CommsThreadKitTest {
protected:
    // The program's time runs on by `ms` while the comms thread idles.
    void Idle(int64_t ms) { ASSERT_TRUE(rig_->Fake().WaitUntil(rig_->Fake().NowMs() + ms)); }

    bool Listen(int unit)
    {
        State().SetListeningUpdated(false);
        LinkCommand listen;
        listen.code = TM_START_LISTENING_MODE;
        listen.unit = unit;
        Post(listen);
        return WaitUntil([&] { return State().IsListeningUpdated(); }) && State().GetListening();
    }

    bool Present(int unit)
    {
        bool present = false, sensor = false;
        State().GetUnitStatus(unit, present, sensor);
        return present;
    }
};

// Red's listening time runs out while the user waits to switch: the program does not touch the
// line all that time (no poll while listening), and the next request must still be answered.
// Real time on both sides, as in the program: the kit's heartbeats reach the line only when it
// is next polled.
TEST(KitLinkQuietSpell, TheFirstExchangeAfterAQuietSpellIsAnswered)
{
    auto kit = sim::RegisterSimTransport(sim::KitOptions{}, nullptr);  // paced, on the steady clock
    ASSERT_TRUE(kit);
    CLinkState state;
    QuickRealClock clock;
    RecordingNotifier notifier;
    OrvelinkLibrary library;
    CRadioLink link(library, clock);
    LinkCommands commands(link, library, state, &notifier);
    ASSERT_EQ(library.CommOpenStr("\\\\.\\SIM", 57600), 0);
    uint32_t errorId = str::kNoError;
    ASSERT_TRUE(commands.StartListeningMode(1, errorId));
    std::this_thread::sleep_for(std::chrono::milliseconds(3500));  // longer than the link's silence limit
    EXPECT_TRUE(commands.GetHeadphoneStatus(errorId)) << "link error " << link.GetLastError();
    EXPECT_TRUE(commands.StartListeningMode(2, errorId)) << "link error " << link.GetLastError();
    library.CommClose();
}

// An outstation leaves listening by itself and is never told to stop: once its time is over the
// units are polled again, so batteries and a unit that falls silent are still noticed.
TEST_F(KitLinkRecoveryTest, PollingGoesOnAfterListeningToAStation)
{
    Start();
    ASSERT_TRUE(Listen(1));
    Idle(25000);
    State().SetChargeUpdated(false);
    EXPECT_TRUE(WaitUntil([&] { return State().IsChargeUpdated(); })) << "no poll after listening";
    Kit().SetSilent(true);
    EXPECT_TRUE(WaitUntil([&] { return !State().IsLinkUp(); })) << "a stall after listening went unnoticed";
}

// A measurement ended by a lost link, communication suspended by the user interface, then the
// port chosen again: batteries, outstations and a later stall are noticed as on a fresh start.
TEST_F(KitLinkRecoveryTest, ChoosingThePortAgainIsAFreshStart)
{
    Start();
    State().SetSamplingAnswered(false);
    Post(TM_START_SAMPLING);
    ASSERT_TRUE(WaitUntil([&] { return State().IsSamplingAnswered(); }));
    Kit().SetSilent(true);
    Post(TM_GET_DATA_BLOCK);
    ASSERT_TRUE(WaitUntil([&] { return !State().IsLinkUp(); }));
    Post(TM_SUSPEND_COMMS);
    Idle(1000);
    Kit().SetSilent(false);

    ChoosePort();
    State().SetChargeUpdated(false);
    ASSERT_TRUE(WaitUntil([&] { return State().IsChargeUpdated(); })) << "no battery report after the reconnect";
    ASSERT_TRUE(WaitUntil([&] { return Present(1) && Present(2); }));

    Kit().SetSilent(true);
    EXPECT_TRUE(WaitUntil([&] { return !State().IsLinkUp(); })) << "a stall while idle went unnoticed";
}

}  // namespace
}  // namespace korvanta::test
