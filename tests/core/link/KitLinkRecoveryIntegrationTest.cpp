// The comms thread over the in-process kit when the link is idle for long, is lost and is opened
// again from the port menu: a crew never needs to restart the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "KitIntegrationRig.h"
#include "core/link/CommsThread.h"
#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"

namespace korvanta::test {
namespace {

class KitLinkRecoveryTest : public testing::Test {
protected:
    ~KitLinkRecoveryTest() override
    {
        thread_.reset();  // stops the thread
        rig_.reset();
        std::filesystem::remove_all(folder_);
    }

    void Start(const sim::KitOptions& options = FastKit())
    {
        folder_ = std::filesystem::temp_directory_path() / ("korvanta-recovery-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        rig_ = std::make_unique<InProcessRig>(options);
        rig_->library.CommClose();  // the comms thread opens the port itself
        CommsContext context;
        context.state = &rig_->state;
        context.library = &rig_->library;
        context.clock = &rig_->Fake();
        context.blockReady = &rig_->notifier;
        context.logFolder = folder_;
        thread_ = std::make_unique<CommsThread>(context);
        ASSERT_TRUE(thread_->Start());
        ChoosePort();
    }

    // As the initialisation dialog does when the port is chosen from the menu.
    void ChoosePort()
    {
        LinkCommand open;
        open.code = TM_CONFIGURE_COM_PORT;
        open.portName = "SIM";
        State().PostUrgentCommand(open);
        ASSERT_TRUE(WaitUntil([&] { return State().IsPortResultPending(); }));
        ASSERT_TRUE(State().GetPortResult());
        ASSERT_TRUE(WaitUntil([&] { return State().IsLinkUp(); }));
    }

    CLinkState& State() { return rig_->state; }
    sim::FieldKit& Kit() { return rig_->Kit(); }

    void Post(int code, int unit = 0)
    {
        LinkCommand command;
        command.code = code;
        command.unit = unit;
        State().PostCommand(command);
    }

    // The program's time runs on by `ms` while the comms thread idles.
    void Idle(int64_t ms) { ASSERT_TRUE(rig_->Fake().WaitUntil(rig_->Fake().NowMs() + ms)); }

    bool Listen(int unit)
    {
        State().SetListeningUpdated(false);
        Post(TM_START_LISTENING_MODE, unit);
        return WaitUntil([&] { return State().IsListeningUpdated(); }) && State().GetListening();
    }

    bool Present(int unit)
    {
        bool present = false, sensor = false;
        State().GetUnitStatus(unit, present, sensor);
        return present;
    }

    std::filesystem::path folder_;
    std::unique_ptr<InProcessRig> rig_;
    std::unique_ptr<CommsThread> thread_;
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
