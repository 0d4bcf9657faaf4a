#include "core/diagnostics/ListeningSession.h"

#include <gtest/gtest.h>

#include "core/text/StringIds.h"
#include "tests/core/diagnostics/QueueServer.h"

namespace korvanta {
namespace {

// The comms side answers while the session waits, as the real thread does between two polls.
class ServingPump final : public IWaitPump {
public:
    explicit ServingPump(test::QueueServer& server) : server_(server) {}
    void Pump() override { server_.RunAll(); }

private:
    test::QueueServer& server_;
};

sim::KitOptions WithInterfaceSensor()
{
    sim::KitOptions options = test::FastKit();
    options.units[0].sensor = true;
    return options;
}

// The dialog opens only while the link is up.
bool MarkLinkUp(CLinkState& link)
{
    link.SetLinkUp(true);
    return true;
}

struct ListeningRig {
    ListeningRig()
        : rig(WithInterfaceSensor()),
          server(rig),
          pump(server),
          linkUp(MarkLinkUp(rig.state)),
          session(rig.state, rig.Fake(), &pump, [this](int seconds) {
              countdowns.push_back(seconds);
              statuses.push_back(kCountdownMark);
              return countdownAnswer;
          })
    {
        session.SetStatusListener([this](uint32_t id) { statuses.push_back(id); });
        session.Start();
        server.RunAll();
        session.Tick();
    }
    int Count(int code) const
    {
        return static_cast<int>(std::count_if(server.ran.begin(), server.ran.end(),
                                              [code](const LinkCommand& c) { return c.code == code; }));
    }
    test::InProcessRig rig;
    test::QueueServer server;
    ServingPump pump;
    bool linkUp;
    static constexpr uint32_t kCountdownMark = 0;  // in `statuses`: the countdown dialog ran
    std::vector<int> countdowns;
    std::vector<uint32_t> statuses;
    bool countdownAnswer = true;
    ListeningSession session;
};

TEST(ListeningSessionKit, ListensToRedThenBlueAfterRedsCountdown)
{
    ListeningRig r;
    EXPECT_EQ(r.session.StatusId(), str::kReady);
    EXPECT_TRUE(r.session.ButtonEnabled(1));
    r.session.PressListen(1);
    EXPECT_TRUE(r.session.Listening());
    EXPECT_EQ(r.session.StatusId(), str::kListeningRed);
    EXPECT_EQ(r.session.Countdown(), ListeningSession::kRenewalTicks);
    EXPECT_EQ(r.Count(TM_GET_HEADPHONE_STATUS), 1);

    const size_t before = r.server.ran.size();
    r.session.PressListen(1);
    EXPECT_EQ(r.server.ran.size(), before) << "the unit already listened to: nothing happens";

    for (int i = 0; i < 5; ++i) {
        r.session.Tick();
    }
    r.session.PressListen(2);
    EXPECT_EQ(r.countdowns, (std::vector<int>{10})) << "red's remaining time is waited out";
    EXPECT_EQ(r.Count(TM_STOP_LISTENING_MODE), 0) << "an outstation is not told to stop";
    EXPECT_EQ(r.session.StatusId(), str::kListeningBlue);
    EXPECT_EQ(r.session.Selected(), 2);
}

// Each status is told as it is set, in the order of the press: the headphone check only for a
// unit with a sensor and only after the previous unit's time has run out, and "starting" while
// the start is waited for.
TEST(ListeningSessionKit, StatusesFollowThePressInOrder)
{
    ListeningRig r;
    r.rig.Kit().SetSensor(3, false);
    r.rig.state.UpdateUnitPresence(8, 0, 8);
    r.session.Tick();
    const auto press = [&r](int unit) {
        r.statuses.clear();
        r.session.PressListen(unit);
        return r.statuses;
    };
    constexpr uint32_t kMark = ListeningRig::kCountdownMark;
    EXPECT_EQ(press(3), (std::vector<uint32_t>{str::kNoSensorConnected}));
    EXPECT_EQ(press(1), (std::vector<uint32_t>{str::kCheckingHeadphone, str::kStartingListening, str::kListeningRed}));
    EXPECT_EQ(press(2), (std::vector<uint32_t>{kMark, str::kCheckingHeadphone, str::kStartingListening,
                                               str::kListeningBlue}));
    EXPECT_EQ(press(3), (std::vector<uint32_t>{kMark, str::kNoSensorConnected}));
}

TEST(ListeningSessionKit, RenewsAfterTheCountdownRunsOut)
{
    ListeningRig r;
    r.session.PressListen(3);
    ASSERT_TRUE(r.session.Listening());
    for (int i = 0; i < ListeningSession::kRenewalTicks; ++i) {
        r.session.Tick();
    }
    EXPECT_EQ(r.Count(TM_START_LISTENING_MODE), 1) << "not yet";
    const int64_t before = r.rig.Fake().NowMs();
    r.session.Tick();
    EXPECT_EQ(r.Count(TM_START_LISTENING_MODE), 2) << "renewed on the 16th tick";
    EXPECT_GE(r.rig.Fake().NowMs() - before, ListeningSession::kRenewPauseMs) << "after a second's pause";
    EXPECT_EQ(r.session.Countdown(), ListeningSession::kRenewalTicks);
    EXPECT_EQ(r.session.StatusId(), str::kListeningYellow);
}

TEST(ListeningSessionKit, RefusalsSayWhy)
{
    {
        ListeningRig r;
        r.rig.Kit().SetHeadphones(false);
        r.session.PressListen(1);
        EXPECT_EQ(r.session.StatusId(), str::kHeadphoneNotConnected);
        EXPECT_EQ(r.Count(TM_START_LISTENING_MODE), 0) << "listening is not requested";
        EXPECT_FALSE(r.session.Listening());
    }
    {
        ListeningRig r;
        r.rig.Kit().SetSensor(2, false);
        r.server.RunAll();
        r.rig.state.SetSensorStatusUpdated(false);
        LinkCommand status;
        status.code = TM_GET_SENSOR_STATUS;
        status.unitMask = 15;
        r.rig.state.PostCommand(status);
        r.server.RunAll();
        r.session.Tick();
        r.session.PressListen(2);
        EXPECT_EQ(r.session.StatusId(), str::kNoSensorConnected);
        EXPECT_EQ(r.Count(TM_GET_HEADPHONE_STATUS), 0);
    }
}

TEST(ListeningSessionKit, InterfaceUnitIsToldToStopOnClose)
{
    ListeningRig r;
    r.session.PressListen(0);
    ASSERT_EQ(r.session.StatusId(), str::kListeningInterface);
    r.session.Close();
    EXPECT_EQ(r.Count(TM_STOP_LISTENING_MODE), 1);
    EXPECT_FALSE(r.session.Listening());
    EXPECT_TRUE(r.countdowns.empty());
}

TEST(ListeningSessionTimeouts, UnansweredRequestGivesUpAfterSixSeconds)
{
    CLinkState link;
    link.SetLinkUp(true);
    link.UpdateUnitPresence(1 | 2, 1 | 2, 15);
    test::FakeClock clock;
    ListeningSession session(link, clock, nullptr, nullptr);
    session.Tick();
    session.PressListen(1);  // nobody answers the headphone check
    EXPECT_EQ(session.StatusId(), str::kHeadphoneNotConnected);
    EXPECT_GE(clock.NowMs(), ListeningSession::kAnswerTimeoutMs);
    EXPECT_LT(clock.NowMs(), ListeningSession::kAnswerTimeoutMs + 2 * ListeningSession::kPollMs);
}

TEST(ListeningSessionTimeouts, LostLinkQueuesNothingAndEndsListening)
{
    ListeningRig r;
    r.session.PressListen(1);
    ASSERT_TRUE(r.session.Listening());
    r.rig.state.SetLinkUp(false);
    const size_t before = r.server.ran.size();
    for (int i = 0; i < 3 * ListeningSession::kRenewalTicks; ++i) {
        r.session.Tick();
        r.server.RunAll();
    }
    EXPECT_EQ(r.server.ran.size(), before) << "no request while the link is down";
    EXPECT_FALSE(r.session.Listening());
    EXPECT_EQ(r.session.StatusId(), str::kListeningNotReached);
    EXPECT_TRUE(r.rig.state.IsQueueEmpty());
}

}  // namespace
}  // namespace korvanta
