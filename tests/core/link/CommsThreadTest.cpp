#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

#include "FakeClock.h"
#include "FakeLinkLibrary.h"
#include "RecordingSinks.h"
#include "core/document/PostedCommandQueue.h"
#include "core/link/CommsLoop.h"
#include "core/link/CommsThread.h"
#include "core/text/StringIds.h"

namespace korvanta::test {
namespace {

using Kind = FarEndReply::Kind;
using Script = std::function<std::optional<FarEndReply>(const Bytes&)>;

bool IsInterfaceStatus(const Bytes& r)
{
    return r.size() == 2 && r[0] == 0x02 && r[1] == 0x01;
}
bool IsOutstationStatus(const Bytes& r)
{
    return r.size() == 2 && r[0] == 0x02 && r[1] != 0x01;
}

// A field kit in which every unit answers and has a sensor.
FarEndReply KitReply(const Bytes& request)
{
    switch (request[0]) {
    case 0x02:
        return FarEndReply::Answer({0x02, 0x0F, 0x00, 0x0F});
    case 0x05:
        return FarEndReply::Answer({0x05, 200, 200, 200, 200, 0, 0, 0});
    case 0x06:
        return FarEndReply::Answer({0x06, 0, 0, 0});
    case 0x07: {
        Bytes block(2808, 0);
        block[0] = 0x07;
        block[1] = 1;
        block[2] = 1;
        block[3] = 150;
        block[5] = 17;
        return FarEndReply::Answer(block);
    }
    default:
        return FarEndReply::Answer({request[0], 0});
    }
}

class CommsThreadTest : public ::testing::Test {
protected:
    CommsThreadTest()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("korvanta-comms-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        library.SetFarEnd([this](const Bytes& request) {
            if (!portReady_ && IsInterfaceStatus(request)) {
                portReady_ = true;
                if (onPortReady) {
                    onPortReady();
                }
            }
            if (script) {
                if (auto reply = script(request)) {
                    return *reply;
                }
            }
            return KitReply(request);
        });
    }

    ~CommsThreadTest() override
    {
        thread_.reset();
        std::filesystem::remove_all(folder_);
    }

    static LinkCommand Command(int code)
    {
        LinkCommand command;
        command.code = code;
        return command;
    }

    void Start(bool openPort = true)
    {
        if (openPort) {
            LinkCommand port = Command(TM_CONFIGURE_COM_PORT);
            port.portName = "SIM";
            state.PostCommand(port);
        }
        CommsContext context{&state, &library, &clock, notices, folder_};
        thread_ = std::make_unique<CommsThread>(context);
        ASSERT_TRUE(thread_->Start());
    }

    // Runs the commands at the start of the main loop, before any periodic poll.
    void Queue(std::vector<LinkCommand> commands, bool thenEnd = true)
    {
        onPortReady = [this, commands, thenEnd] {
            for (const LinkCommand& command : commands) {
                state.PostCommand(command);
            }
            if (thenEnd) {
                state.PostCommand(Command(TM_END_THREAD));
            }
        };
    }

    bool WaitFor(const std::function<bool(const std::vector<Bytes>&)>& done)
    {
        return library.WaitForSent([&](const std::vector<SentMessage>& sent) {
            std::vector<Bytes> requests;
            for (const SentMessage& m : sent)
                requests.push_back(m.bytes);
            return done(requests);
        });
    }

    static size_t Count(const std::vector<Bytes>& requests, const std::function<bool(const Bytes&)>& is)
    {
        return static_cast<size_t>(std::count_if(requests.begin(), requests.end(), is));
    }

    std::vector<Bytes> Requests() const
    {
        std::vector<Bytes> requests;
        for (const SentMessage& m : library.Sent())
            requests.push_back(m.bytes);
        return requests;
    }

    std::vector<std::string> LogLines() const
    {
        std::ifstream file(folder_ / "DebugFile.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    void RunToEnd()
    {
        ASSERT_TRUE(thread_->WaitForEnd(20000));
        thread_.reset();
    }

    FakeClock clock;
    FakeLinkLibrary library{clock};
    CLinkState state;
    RecordingNotifier notifier;
    IBlockReadyNotifier* notices = &notifier;  // where the thread posts
    Script script;
    std::function<void()> onPortReady;

private:
    std::filesystem::path folder_;
    bool portReady_ = false;
    std::unique_ptr<CommsThread> thread_;

protected:
    CommsThread& Thread() { return *thread_; }
};

TEST_F(CommsThreadTest, CommandsBeforeThePortOpensAreDropped)
{
    state.PostCommand(Command(TM_GET_INTERFACE_VERSION));
    Queue({Command(TM_GET_HEADPHONE_STATUS)});
    Start();
    RunToEnd();

    EXPECT_EQ(library.OpenedPaths(), (std::vector<std::string>{"\\\\.\\SIM"}));
    EXPECT_EQ(library.LastBaud(), 57600);
    EXPECT_TRUE(state.IsPortResultPending());
    EXPECT_TRUE(state.GetPortResult());
    const std::vector<Bytes> requests = Requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_TRUE(IsInterfaceStatus(requests[0]));
    EXPECT_EQ(requests[1], (Bytes{0x18}));
    EXPECT_EQ(Count(requests, [](const Bytes& r) { return r[0] == 0x00; }), 0u);
    // The unit is given time to settle after the port opens.
    EXPECT_GE(library.Sent()[0].timeMs, 1300);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"TM_GET_HEADPHONE_STATUS", "TM_END_THREAD"}));
}

TEST_F(CommsThreadTest, LogNamesEachCommandAndItsFailures)
{
    script = [](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] == 0x03)
            return FarEndReply::Of(Kind::Silent);  // select sensors fails
        if (r[0] == 0x01)
            return FarEndReply::Answer({0x01, 2});  // listening refused
        if (IsOutstationStatus(r))
            return FarEndReply::Answer({0x02, 0, 0x80, 0});  // reset
        return std::nullopt;
    };
    LinkCommand select = Command(TM_SELECT_SENSORS);
    select.sensorMask = 12;
    LinkCommand status = Command(TM_GET_SENSOR_STATUS);
    status.unitMask = 4;
    Queue({select, Command(TM_START_LISTENING_MODE), status, Command(TM_GET_DATA_BLOCK),
           Command(TM_STOP_LISTENING_MODE), Command(TM_GET_CHARGE_STATUS)});
    Start();
    RunToEnd();

    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"TM_SELECT_SENSORS", "ERROR_TM_SELECT_SENSORS", "TM_START_LISTENING_MODE",
                                        "ERROR_TM_START_LISTENING_MODE", "TM_GET_SENSOR_STATUS", "TM_GET_DATA_BLOCK",
                                        "TM_STOP_LISTENING_MODE", "TM_GET_CHARGE_STATUS", "TM_END_THREAD"}));
    // Not sampling: the data-block command sends nothing.
    EXPECT_EQ(Count(Requests(), [](const Bytes& r) { return r[0] == 0x07; }), 0u);
}

TEST_F(CommsThreadTest, PollVisitsTheSelectedOutstationsInTurn)
{
    LinkCommand select = Command(TM_SELECT_SENSORS);
    select.sensorMask = 12;
    Queue({select}, false);
    Start();
    ASSERT_TRUE(WaitFor([](const std::vector<Bytes>& r) { return Count(r, IsOutstationStatus) >= 5; }));
    ASSERT_TRUE(Thread().Stop());

    std::vector<int> units;
    std::vector<int64_t> pollTimes;
    const std::vector<SentMessage> sent = library.Sent();
    for (size_t i = 0; i < sent.size(); ++i) {
        const Bytes& r = sent[i].bytes;
        if (IsOutstationStatus(r)) {
            units.push_back(r[1]);
            // Each poll asks the interface unit, then one outstation, then the batteries.
            ASSERT_GE(i, 1u);
            EXPECT_TRUE(IsInterfaceStatus(sent[i - 1].bytes));
            if (i + 1 < sent.size()) {
                EXPECT_EQ(sent[i + 1].bytes, (Bytes{0x05}));
            }
            pollTimes.push_back(sent[i - 1].timeMs);
        }
    }
    units.resize(5);
    EXPECT_EQ(units, (std::vector<int>{2, 4, 8, 4, 8}));
    for (size_t i = 1; i < pollTimes.size(); ++i) {
        EXPECT_GE(pollTimes[i] - pollTimes[i - 1], 2000);
        EXPECT_LE(pollTimes[i] - pollTimes[i - 1], 2100);
    }
}

TEST_F(CommsThreadTest, PollStaysOnRedWhenOnlyRedIsSelected)
{
    LinkCommand select = Command(TM_SELECT_SENSORS);
    select.sensorMask = 3;
    Queue({select}, false);
    Start();
    ASSERT_TRUE(WaitFor([](const std::vector<Bytes>& r) { return Count(r, IsOutstationStatus) >= 3; }));
    ASSERT_TRUE(Thread().Stop());
    for (const Bytes& r : Requests()) {
        if (IsOutstationStatus(r)) {
            EXPECT_EQ(r[1], 2);
        }
    }
}

TEST_F(CommsThreadTest, StatusCommandPostponesTheNextPoll)
{
    bool posted = false;
    script = [&](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] == 0x05 && !posted) {
            posted = true;
            LinkCommand status = Command(TM_GET_SENSOR_STATUS);
            status.unitMask = 8;
            state.PostCommand(status);
        }
        return std::nullopt;
    };
    Start();
    ASSERT_TRUE(WaitFor([](const std::vector<Bytes>& r) { return Count(r, IsInterfaceStatus) >= 3; }));
    ASSERT_TRUE(Thread().Stop());

    const std::vector<SentMessage> sent = library.Sent();
    auto command = std::find_if(sent.begin(), sent.end(), [](const SentMessage& m) {
        return m.bytes == Bytes{0x02, 0x08};
    });
    ASSERT_NE(command, sent.end());
    auto nextPoll = std::find_if(command, sent.end(), [](const SentMessage& m) { return IsInterfaceStatus(m.bytes); });
    ASSERT_NE(nextPoll, sent.end());
    EXPECT_GE(nextPoll->timeMs - command->timeMs, 2000);
}

TEST_F(CommsThreadTest, StartSamplingSucceedsOnTheFourthAttemptAndStopsThePoll)
{
    int attempts = 0;
    script = [&](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] == 0x06 && ++attempts < 4)
            return FarEndReply::Answer({0x06, 1, 0x02, 0x00});
        return std::nullopt;
    };
    Queue({Command(TM_START_SAMPLING)}, false);
    Start();
    ASSERT_TRUE(WaitFor(
        [](const std::vector<Bytes>& r) { return Count(r, [](const Bytes& b) { return b[0] == 0x06; }) >= 4; }));
    const int64_t started = clock.NowMs();
    ASSERT_TRUE(clock.WaitUntil(started + 10000));
    const size_t statusAfterStart = Count(Requests(), IsInterfaceStatus);

    state.PostCommand(Command(TM_STOP_CORRELATING));
    ASSERT_TRUE(WaitFor([&](const std::vector<Bytes>& r) { return Count(r, IsInterfaceStatus) > statusAfterStart; }));
    ASSERT_TRUE(Thread().Stop());

    EXPECT_TRUE(notifier.Messages().empty());
    EXPECT_TRUE(state.GetSamplingStarted());
    // Nothing was polled between the start and the stop.
    const std::vector<Bytes> requests = Requests();
    auto start = std::find(requests.begin(), requests.end(), Bytes{0x06, 0x01, 0x00});
    auto lastStart = std::find_if(requests.rbegin(), requests.rend(), [](const Bytes& b) { return b[0] == 0x06; });
    EXPECT_EQ(std::count_if(start, lastStart.base(), IsInterfaceStatus), 0);
    EXPECT_EQ(static_cast<size_t>(std::count_if(requests.begin(), lastStart.base(), IsInterfaceStatus)),
              statusAfterStart);
    const std::vector<std::string> log = LogLines();
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 4),
              (std::vector<std::string>{"TM_START_SAMPLING", "START_SAMPLING_RETRY", "START_SAMPLING_RETRY",
                                        "START_SAMPLING_RETRY"}));
    EXPECT_EQ(log[4], "TM_STOP_CORRELATING");
}

TEST_F(CommsThreadTest, StartSamplingGivesUpAfterFourRefusals)
{
    script = [](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] == 0x06)
            return FarEndReply::Answer({0x06, 1, 0x06, 0x04});
        return std::nullopt;
    };
    Queue({Command(TM_START_SAMPLING)});
    Start();
    RunToEnd();

    EXPECT_EQ(notifier.Messages(),
              (std::vector<std::pair<uint32_t, uint32_t>>{{str::kRedNotAnswering, kStyleExclamation}}));
    EXPECT_TRUE(state.IsSamplingAnswered());
    EXPECT_FALSE(state.GetSamplingStarted());
    EXPECT_EQ(Count(Requests(), [](const Bytes& b) { return b[0] == 0x06; }), 4u);
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"TM_START_SAMPLING", "START_SAMPLING_RETRY", "START_SAMPLING_RETRY",
                                        "START_SAMPLING_RETRY", "ERROR_TM_START_SAMPLING", "TM_END_THREAD"}));
}

TEST_F(CommsThreadTest, FailedRestartDuringAMeasurementShowsNothing)
{
    int attempts = 0;
    script = [&](const Bytes& r) -> std::optional<FarEndReply> {
        // The first start succeeds, every later one is refused without a reason.
        if (r[0] == 0x06 && ++attempts > 1)
            return FarEndReply::Answer({0x06, 1, 0, 0});
        return std::nullopt;
    };
    Queue({Command(TM_START_SAMPLING), Command(TM_START_SAMPLING), Command(TM_START_SAMPLING)});
    Start();
    RunToEnd();
    // The second start fails while sampling (silently); the third fails from rest and the unit
    // gave no reason, so the user hears of a communication fault.
    EXPECT_EQ(notifier.Messages(),
              (std::vector<std::pair<uint32_t, uint32_t>>{{str::kCommunicationError, kStyleExclamation}}));
}

TEST_F(CommsThreadTest, StopEndsTheThreadWhileItsMessageWaitsForTheUserInterface)
{
    // The user-interface thread is inside Stop and takes no notice meanwhile: the comms thread
    // must hand the start-sampling failure over without waiting for it to be shown.
    PostedCommandQueue posted;
    notices = &posted;
    script = [](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] == 0x06)
            return FarEndReply::Answer({0x06, 1, 0x04, 0x00});
        return std::nullopt;
    };
    Queue({Command(TM_START_SAMPLING)}, false);
    Start();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!state.IsSamplingAnswered() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    ASSERT_TRUE(state.IsSamplingAnswered());
    EXPECT_TRUE(Thread().Stop());

    PostedNotice notice;
    ASSERT_TRUE(posted.WaitNext(notice, std::chrono::milliseconds(0)));
    EXPECT_EQ(notice.kind, PostedNotice::Kind::Message);
    EXPECT_EQ(notice.messageId, str::kBlueNotAnswering);
    EXPECT_EQ(notice.style, kStyleExclamation);
}

TEST_F(CommsThreadTest, DataBlockIsStoredAndAnnounced)
{
    // Like the document, ask for the next block only once the previous one is in.
    int fetches = 0;
    script = [&](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] == 0x07) {
            state.PostCommand(++fetches == 1 ? Command(TM_GET_DATA_BLOCK) : Command(TM_END_THREAD));
        }
        return std::nullopt;
    };
    LinkCommand fetch = Command(TM_GET_DATA_BLOCK);
    fetch.threeStation = 1;
    Queue({Command(TM_START_SAMPLING), fetch}, false);
    Start();
    RunToEnd();

    EXPECT_EQ(notifier.Posted(), (std::vector<uint32_t>{kCommandBlockReadyThreeStation, kCommandBlockReadyTwoStation}));
    ASSERT_TRUE(state.IsDataBlockReady());
    DataBlockRecord record;
    state.FetchDataBlock(record);
    EXPECT_EQ(record.unit, 1);
    EXPECT_EQ(record.blockNumber, 17);
    EXPECT_FALSE(state.IsLinkChanged() && !state.GetLinkUp());
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"TM_START_SAMPLING", "TM_GET_DATA_BLOCK", "TM_GET_DATA_BLOCK",
                                                    "TM_END_THREAD"}));
}

TEST_F(CommsThreadTest, FetchGivesWayToAWaitingCommand)
{
    Queue({Command(TM_START_SAMPLING), Command(TM_GET_DATA_BLOCK), Command(TM_STOP_CORRELATING)});
    Start();
    RunToEnd();
    EXPECT_EQ(Count(Requests(), [](const Bytes& b) { return b[0] == 0x07; }), 0u);
}

TEST_F(CommsThreadTest, LostLinkDuringAFetchEndsSampling)
{
    script = [](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] == 0x07)
            return FarEndReply::Of(Kind::Silent);
        return std::nullopt;
    };
    Queue({Command(TM_START_SAMPLING), Command(TM_GET_DATA_BLOCK)}, false);
    Start();
    ASSERT_TRUE(WaitFor([](const std::vector<Bytes>& r) {
        // Sampling has ended, so the periodic poll comes back.
        auto fetch = std::find(r.begin(), r.end(), Bytes{0x07});
        return fetch != r.end() && std::count_if(fetch, r.end(), IsInterfaceStatus) > 0;
    }));
    ASSERT_TRUE(Thread().Stop());

    EXPECT_TRUE(state.IsLinkChanged());
    EXPECT_FALSE(state.GetLinkUp());
    EXPECT_EQ(Count(Requests(), [](const Bytes& b) { return b[0] == 0x07; }), 1u);
    EXPECT_TRUE(notifier.Posted().empty());
    const std::vector<std::string> log = LogLines();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[1], "TM_GET_DATA_BLOCK");
    EXPECT_EQ(log[2], "GET_DATA_BLOCK_RETRY");
}

TEST_F(CommsThreadTest, ResetButtonDuringAFetchEndsSampling)
{
    script = [this](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] != 0x07)
            return std::nullopt;
        state.PostCommand(Command(TM_GET_DATA_BLOCK));
        state.PostCommand(Command(TM_END_THREAD));
        Bytes block(2808, 0);
        block[0] = 0x07;
        block[7] = 0x80;
        return FarEndReply::Answer(block);
    };
    Queue({Command(TM_START_SAMPLING), Command(TM_GET_DATA_BLOCK)}, false);
    Start();
    RunToEnd();
    EXPECT_FALSE(state.GetLinkUp());
    // The second fetch finds sampling ended and asks for nothing.
    EXPECT_EQ(Count(Requests(), [](const Bytes& b) { return b[0] == 0x07; }), 1u);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"TM_START_SAMPLING", "TM_GET_DATA_BLOCK", "GET_DATA_BLOCK_RETRY",
                                                    "TM_GET_DATA_BLOCK", "TM_END_THREAD"}));
}

TEST_F(CommsThreadTest, SuspendStopsThePollUntilResumed)
{
    Queue({Command(TM_SUSPEND_COMMS)}, false);
    Start();
    ASSERT_TRUE(clock.WaitUntil(20000));
    EXPECT_EQ(Count(Requests(), IsInterfaceStatus), 1u);  // only the one after the port opened
    EXPECT_TRUE(state.IsChargeUpdated());

    state.PostCommand(Command(TM_RESUME_COMMS));
    ASSERT_TRUE(WaitFor([](const std::vector<Bytes>& r) { return Count(r, IsInterfaceStatus) >= 2; }));
    ASSERT_TRUE(Thread().Stop());
}

TEST_F(CommsThreadTest, FailedReopenStopsThePoll)
{
    onPortReady = [this] {
        library.SetOpenResult(1);
        LinkCommand port = Command(TM_CONFIGURE_COM_PORT);
        port.portName = "COM9";
        state.PostUrgentCommand(port);
    };
    Start();
    ASSERT_TRUE(WaitFor([](const std::vector<Bytes>& r) { return r.size() >= 2; }));
    const int64_t reopened = clock.NowMs();
    ASSERT_TRUE(clock.WaitUntil(reopened + 10000));
    ASSERT_TRUE(Thread().Stop());

    EXPECT_EQ(library.OpenedPaths().back(), "\\\\.\\COM9");
    EXPECT_GE(library.CloseCount(), 1);
    EXPECT_FALSE(state.GetPortResult());
    // The status request after the attempt is sent (and fails); no poll follows.
    EXPECT_EQ(Count(Requests(), IsInterfaceStatus), 2u);
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"TM_CONFIGURE_COM_PORT", "ERROR_TM_CONFIGURE_COM_PORT", "TM_END_THREAD"}));
}

TEST_F(CommsThreadTest, EndCommandDropsEverythingQueued)
{
    onPortReady = [this] {
        state.PostCommand(Command(TM_GET_HEADPHONE_STATUS));
        state.PostCommand(Command(TM_GET_INTERFACE_VERSION));
        state.PostUrgentCommand(Command(TM_END_THREAD));
    };
    Start();
    RunToEnd();
    EXPECT_TRUE(state.IsQueueEmpty());
    EXPECT_EQ(Requests().size(), 1u);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"TM_END_THREAD"}));
}

TEST_F(CommsThreadTest, WaitingCommandsRunBackToBackAndAPollGivesWayToThem)
{
    // Two commands queued together: the second goes out as soon as the first is answered, with
    // no pause between passes.
    Queue({Command(TM_GET_HEADPHONE_STATUS), Command(TM_GET_CHARGE_STATUS)}, false);
    // A command posted while the periodic poll asks the interface unit runs before the rest of
    // the poll.
    int interfaceAsked = 0;
    script = [&](const Bytes& r) -> std::optional<FarEndReply> {
        if (IsInterfaceStatus(r) && ++interfaceAsked == 2) {
            state.PostCommand(Command(TM_GET_HEADPHONE_STATUS));
        }
        return std::nullopt;
    };
    Start();
    ASSERT_TRUE(WaitFor([](const std::vector<Bytes>& r) {
        return Count(r, [](const Bytes& b) { return b == Bytes{0x18}; }) >= 2 && Count(r, IsOutstationStatus) >= 1;
    }));
    ASSERT_TRUE(Thread().Stop());

    const std::vector<SentMessage> sent = library.Sent();
    ASSERT_GE(sent.size(), 5u);
    EXPECT_EQ(sent[1].bytes, (Bytes{0x18}));
    EXPECT_EQ(sent[2].bytes, (Bytes{0x05}));
    EXPECT_LT(sent[2].timeMs - sent[1].timeMs, CommsLoop::kPassPauseMs);
    EXPECT_TRUE(IsInterfaceStatus(sent[3].bytes));
    EXPECT_EQ(sent[4].bytes, (Bytes{0x18}));
}

TEST_F(CommsThreadTest, StopEndsAThreadThatNeverGotAPort)
{
    Start(false);
    EXPECT_TRUE(Thread().Stop());
    EXPECT_TRUE(library.Sent().empty());
}

TEST_F(CommsThreadTest, StopInterruptsAnExchangeThatNeverEnds)
{
    script = [](const Bytes& r) -> std::optional<FarEndReply> {
        if (r[0] == 0x18)
            return FarEndReply::Of(Kind::NeverAcknowledged);
        return std::nullopt;
    };
    Queue({Command(TM_GET_HEADPHONE_STATUS)}, false);
    Start();
    ASSERT_TRUE(WaitFor([](const std::vector<Bytes>& r) { return !r.empty() && r.back() == Bytes{0x18}; }));
    EXPECT_FALSE(Thread().Stop(50));  // not within the time, but the thread is ended and joined
}

}  // namespace
}  // namespace korvanta::test
