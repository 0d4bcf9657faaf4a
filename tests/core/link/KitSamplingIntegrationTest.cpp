// Whole measurements through the comms thread against the in-process field kit: the blocks it
// delivers, fed to the correlation engine as the document feeds them, locate the kit's leak.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "KitIntegrationRig.h"
#include "core/correlation/CCorrelator.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/record/MeasurementRecord.h"
#include "core/link/CommsThread.h"
#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"

namespace korvanta::test {
namespace {

constexpr int kPairs = 12;

class KitSamplingIntegrationTest : public testing::Test {
protected:
    KitSamplingIntegrationTest()
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("korvanta-kit-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
    }
    ~KitSamplingIntegrationTest() override
    {
        if (thread_) {
            thread_->Stop(5000);
        }
        thread_.reset();
        rig_.reset();
        std::filesystem::remove_all(folder_);
    }

    // The kit registered as "SIM" and the comms thread, with the port opened through it.
    void Start(const sim::KitOptions& options)
    {
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
        LinkCommand open;
        open.code = TM_CONFIGURE_COM_PORT;
        open.portName = "SIM";
        State().PostUrgentCommand(open);
        ASSERT_TRUE(WaitUntil([&] { return State().IsPortResultPending(); }));
        ASSERT_TRUE(State().GetPortResult());
        ASSERT_TRUE(WaitUntil([&] { return State().IsLinkChanged(); }));
        ASSERT_TRUE(State().GetLinkUp());
    }

    CLinkState& State() { return rig_->state; }

    void Post(int code, int sensorMask = 0)
    {
        LinkCommand command;
        command.code = code;
        command.sensorMask = sensorMask;
        State().PostCommand(command);
    }

    bool StartSampling()
    {
        Post(TM_START_SAMPLING);
        if (!WaitUntil([&] { return State().IsSamplingAnswered(); })) {
            return false;
        }
        return State().GetSamplingStarted();
    }

    // The next block as the document takes it: ask, wait for the notice, copy it out. Nothing
    // when the comms thread reports the link down instead.
    std::optional<DataBlockRecord> NextBlock()
    {
        const size_t before = rig_->notifier.Posted().size();
        Post(TM_GET_DATA_BLOCK);
        if (!WaitUntil([&] { return rig_->notifier.Posted().size() > before || State().IsLinkChanged(); })) {
            return std::nullopt;
        }
        if (rig_->notifier.Posted().size() == before) {
            return std::nullopt;
        }
        DataBlockRecord record;
        State().FetchDataBlock(record);
        return record;
    }

    std::string Log() const
    {
        std::ifstream file(folder_ / "DebugFile.txt");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::filesystem::path folder_;
    std::unique_ptr<InProcessRig> rig_;
    std::unique_ptr<CommsThread> thread_;
};

TEST_F(KitSamplingIntegrationTest, MeasurementLocatesTheKitsLeak)
{
    sim::KitOptions options;  // paced, on the fake clock
    options.pipe.lengthMetres = 300.0;
    options.pipe.velocity = 1200.0;
    options.pipe.leakMetres = 90.0;
    Start(options);
    Post(TM_SELECT_SENSORS, 6);
    ASSERT_TRUE(StartSampling());

    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    record->range = 0;
    std::array<int32_t, 620> trace{};
    std::array<int32_t, 504> a{}, b{};
    auto engine = std::make_unique<CCorrelator>();
    engine->Init(trace, a, b, 620, 180, 504, 155);
    engine->SetRecord(record.get());
    engine->ResetMeasurement();

    std::vector<std::pair<int, int>> order;
    int pairs = 0;
    while (pairs < kPairs) {
        const auto block = NextBlock();
        ASSERT_TRUE(block.has_value()) << "after " << order.size() << " blocks\n" << Log();
        order.emplace_back(block->unit, block->blockNumber);
        if (engine->ProcessBlock(*block)) {
            ++pairs;
            if (engine->NeedsRestart()) {
                // As the document does after a chain of six pairs: the stations start afresh.
                engine->RestartSequence();
                ASSERT_TRUE(StartSampling());
            }
        }
    }
    Post(TM_STOP_CORRELATING);
    engine->StoreToRecord();

    EXPECT_NEAR(engine->GetDelay(), options.pipe.PairDelay(1, 2), kLagSeconds);
    EXPECT_GT(engine->GetQuality(), 5);
    ASSERT_EQ(order.size(), 2u * kPairs);
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i].first, 1 + static_cast<int>(i % 2)) << i;
        EXPECT_EQ(order[i].second, static_cast<int>(i / 2) % 6) << i;  // from 0 after each restart
    }
    // The first start, and a fresh one after each chain of six pairs.
    EXPECT_EQ(rig_->Kit().Counters().samplingStarts, 1u + kPairs / 6);
    EXPECT_TRUE(rig_->notifier.Messages().empty());
}

TEST_F(KitSamplingIntegrationTest, ResetButtonEndsTheMeasurement)
{
    Start(FastKit());
    ASSERT_TRUE(StartSampling());
    ASSERT_TRUE(NextBlock().has_value());
    rig_->Kit().PressResetAtNextRequest();
    EXPECT_FALSE(NextBlock().has_value());
    // The comms thread gives up sampling and tells the user interface through the link flag.
    EXPECT_TRUE(State().IsLinkChanged());
    EXPECT_FALSE(State().GetLinkUp());
    Post(TM_GET_SENSOR_STATUS);
    ASSERT_TRUE(WaitUntil([&] { return State().GetResetPressed(); }));
    thread_->Stop(5000);
    EXPECT_NE(Log().find("TM_GET_DATA_BLOCK\nGET_DATA_BLOCK_RETRY\n"), std::string::npos) << Log();
}

TEST_F(KitSamplingIntegrationTest, RefusedStartIsShownOnce)
{
    sim::KitOptions options = FastKit();
    options.units[3].on = false;
    Start(options);
    Post(TM_SELECT_SENSORS, 10);
    EXPECT_FALSE(StartSampling());
    EXPECT_EQ(rig_->notifier.Messages(),
              (std::vector<std::pair<uint32_t, uint32_t>>{{str::kYellowNotAnswering, kStyleExclamation}}));
    // Four attempts: the first and three retries.
    EXPECT_EQ(rig_->Kit().Counters().samplingRefusals, 4u);
}

}  // namespace
}  // namespace korvanta::test
