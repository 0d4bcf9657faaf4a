// Whole measurements through the comms thread against the in-process field kit: the blocks it
// delivers, fed to the correlation engine as the document feeds them, locate the kit's leak.
#include <gtest/gtest.h>

#include "CommsThreadKitTest.h"
#include "core/correlation/CCorrelator.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta::test {
namespace {

constexpr int kPairs = 12;

class KitSamplingIntegrationTest : public CommsThreadKitTest {
protected:
    void SelectSensors(int mask)
    {
        LinkCommand select;
        select.code = TM_SELECT_SENSORS;
        select.sensorMask = mask;
        Post(select);
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
};

TEST_F(KitSamplingIntegrationTest, MeasurementLocatesTheKitsLeak)
{
    sim::KitOptions options;  // paced, on the fake clock
    options.pipe.lengthMetres = 300.0;
    options.pipe.velocity = 1200.0;
    options.pipe.leakMetres = 90.0;
    Start(options);
    SelectSensors(6);
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
    SelectSensors(10);
    EXPECT_FALSE(StartSampling());
    EXPECT_EQ(rig_->notifier.Messages(),
              (std::vector<std::pair<uint32_t, uint32_t>>{{str::kYellowNotAnswering, kStyleExclamation}}));
    // Four attempts: the first and three retries.
    EXPECT_EQ(rig_->Kit().Counters().samplingRefusals, 4u);
}

}  // namespace
}  // namespace korvanta::test
