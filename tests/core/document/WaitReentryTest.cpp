// The document's waits for the stations run a wait pump that may run queued calls: a stop, a
// second start or a block notice can arrive inside a wait. The pump here injects them.
#include <gtest/gtest.h>

#include <functional>

#include "DocumentTestSupport.h"
#include "MeasurementBlocks.h"
#include "core/document/DocumentHints.h"

namespace korvanta {
namespace {

using doctest::DocumentRig;
using namespace doctest::blocks;

// Runs `action` once, inside the wait's pass number `atPass` (counted over every wait).
class InjectingPump final : public IWaitPump {
public:
    void BeginWait() override { ++waits; }
    void Pump() override
    {
        if (++passes == atPass && action) {
            auto run = std::move(action);
            action = nullptr;
            run();
        }
    }
    void Arm(int pass, std::function<void()> run)
    {
        atPass = passes + pass;
        action = std::move(run);
    }
    int waits = 0;
    int passes = 0;
    int atPass = 0;
    std::function<void()> action;
};

struct PumpedRig : DocumentRig {
    PumpedRig()
    {
        context.waitPump = &pump;
        document->RemoveObserver(&observer);
        document = std::make_unique<CKorvantaDoc>(context);
        document->AddObserver(&observer);
        LayPipe(*document);
        comms.ForgetTaken();
        observer.hints.clear();
    }
    InjectingPump pump;
};

TEST(WaitReentryTest, AStopDuringTheStartWaitAbandonsTheStart)
{
    // Pass 1: the start is still queued and is dropped. Pass 2: the comms thread has already
    // started the stations, so the stop behind it must be queued.
    const struct {
        int pass;
        std::vector<int> codes;
    } cases[] = {{1, {TM_STOP_CORRELATING}}, {2, {TM_START_SAMPLING, TM_STOP_CORRELATING}}};
    for (const auto& c : cases) {
        PumpedRig rig;
        rig.pump.Arm(c.pass, [&] { rig.document->StopMeasurement(); });
        EXPECT_FALSE(rig.document->StartMeasurement()) << c.pass;
        EXPECT_FALSE(rig.document->IsMeasuring());
        EXPECT_EQ(rig.comms.Codes(), c.codes) << c.pass;
        EXPECT_LT(rig.comms.NowMs(), 1000);
        // Nothing was measured, so nothing is stamped or marked as a result.
        EXPECT_FALSE(rig.document->IsResultValid());
        EXPECT_EQ(rig.document->GetFileInformation().date, "");
    }
}

TEST(WaitReentryTest, ASecondStartIsRefusedDuringAWaitAndWhileMeasuring)
{
    PumpedRig rig;
    bool nested = true;
    rig.pump.Arm(1, [&] { nested = rig.document->StartMeasurement(); });
    ASSERT_TRUE(rig.document->StartMeasurement());
    EXPECT_FALSE(nested);
    EXPECT_EQ(rig.pump.waits, 1);
    EXPECT_EQ(rig.comms.Codes(), (std::vector<int>{TM_START_SAMPLING, TM_GET_DATA_BLOCK}));

    rig.comms.ForgetTaken();
    EXPECT_FALSE(rig.document->StartMeasurement());
    EXPECT_FALSE(rig.document->ThreeStationRun().Start());
    EXPECT_TRUE(rig.comms.Codes().empty());
    EXPECT_TRUE(rig.document->IsMeasuring());
}

TEST(WaitReentryTest, GivingUpOnTheStartQueuesAStopBehindIt)
{
    PumpedRig rig;
    rig.comms.SetAnswerStarts(false);
    EXPECT_FALSE(rig.document->StartMeasurement());
    // Should the comms thread's retries succeed after all, the stop follows them.
    EXPECT_EQ(rig.comms.Codes(), (std::vector<int>{TM_START_SAMPLING, TM_STOP_CORRELATING}));
}

TEST(WaitReentryTest, AStopDuringTheResynchronisationEndsTheMeasurementCleanly)
{
    for (const bool threeStation : {false, true}) {
        PumpedRig rig;
        CKorvantaDoc& doc = *rig.document;
        std::vector<DataBlockRecord> blocks;
        if (threeStation) {
            doc.EnterThreeStationMode();
            doc.ThreeStationRun().Setup({0, 0, 0}, 0.0f, 0.0f);
            ASSERT_TRUE(doc.ThreeStationRun().Start());
            blocks = ThreeStationBlocks(6);
        } else {
            ASSERT_TRUE(doc.StartMeasurement());
            blocks = TwoStationBlocks(6);
        }
        for (size_t i = 0; i + 1 < blocks.size(); ++i) {
            Deliver(rig, blocks[i], threeStation);
        }
        rig.comms.ForgetTaken();
        rig.observer.hints.clear();
        const int64_t before = rig.comms.NowMs();
        // The last block completes the chain; the view's stop comes inside the wait.
        rig.pump.Arm(1, [&] {
            if (threeStation) {
                doc.ThreeStationRun().Stop();
            } else {
                doc.StopMeasurement();
            }
        });
        Deliver(rig, blocks.back(), threeStation);

        EXPECT_FALSE(doc.IsMeasuring()) << threeStation;
        EXPECT_EQ(rig.comms.Codes(), std::vector<int>{TM_STOP_CORRELATING}) << threeStation;
        EXPECT_TRUE(rig.observer.hints.empty()) << threeStation;  // no result, no failed re-synchronisation
        EXPECT_LT(rig.comms.NowMs() - before, 1000);
        if (threeStation) {
            EXPECT_EQ(doc.ThreeStation().Record(0).pairTotal, 6u);
        } else {
            EXPECT_EQ(doc.PairTotal(), 6u);  // the stop stored every pair
            EXPECT_TRUE(doc.IsResultValid());
        }
    }
}

TEST(WaitReentryTest, ABlockNoticeDuringAWaitIsLeftAlone)
{
    PumpedRig rig;
    CKorvantaDoc& doc = *rig.document;
    ASSERT_TRUE(doc.StartMeasurement());
    const auto blocks = TwoStationBlocks(7);
    for (size_t i = 0; i < 11; ++i) {
        Deliver(rig, blocks[i]);
    }
    rig.comms.ForgetTaken();
    // During the re-synchronisation after the sixth pair a stale notice comes with a block.
    rig.pump.Arm(1, [&] {
        rig.link.StoreDataBlock(blocks[12]);
        rig.link.SetDataBlockReady(true);
        doc.OnBlockReady();
    });
    Deliver(rig, blocks[11]);
    EXPECT_TRUE(doc.IsMeasuring());
    EXPECT_EQ(doc.PairTotal(), 6u);
    EXPECT_EQ(doc.Engine().PairCount(), 0u);  // restarted after the wait, nothing fed meanwhile
    EXPECT_EQ(rig.comms.Codes(), (std::vector<int>{TM_START_SAMPLING, TM_GET_DATA_BLOCK}));
}

}  // namespace
}  // namespace korvanta
