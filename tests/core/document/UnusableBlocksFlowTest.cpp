// A block without a usable spectrum during a measurement costs its own pair: the stations stay
// paired, the chains still end after six sets, and the result is found.
#include <gtest/gtest.h>

#include <algorithm>

#include "DocumentTestSupport.h"
#include "MeasurementBlocks.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"

namespace korvanta {
namespace {

using doctest::DocumentRig;
using namespace doctest::blocks;

size_t CountOf(const std::vector<int>& codes, int code)
{
    return static_cast<size_t>(std::count(codes.begin(), codes.end(), code));
}

TEST(UnusableBlocksFlowTest, TwoStationsGoOnAfterLostBlocks)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    LayPipe(doc);
    ASSERT_TRUE(doc.StartMeasurement());
    auto blocks = TwoStationBlocks(14);
    blocks[5].status = 2;        // blue without its sensor for one block
    blocks[11].status = 4;       // red's last block of the first chain lost on the radio
    blocks[16].exponent = -128;  // values that are not finite
    rig.comms.ForgetTaken();
    for (const DataBlockRecord& block : blocks) {
        Deliver(rig, block);
    }
    EXPECT_EQ(doc.PairTotal(), 11u);
    EXPECT_EQ(CountOf(rig.comms.Codes(), TM_START_SAMPLING), 2u);  // after each chain of six sets
    EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 0u);
    EXPECT_EQ(rig.observer.Count(kHintNewResult), 11u);
    EXPECT_NEAR(doc.GetDelay(), kTwoStationDelay, kLagSeconds);
}

TEST(UnusableBlocksFlowTest, TwoEmptyBlocksInARowEndTheMeasurementNamingUnitAndCause)
{
    // Blocks come station by station in every set: two per set (red, blue) with two stations,
    // three (red, blue, yellow) with three.
    const struct {
        bool threeStation;
        size_t first;  // index of the first of two blocks in a row of one unit
        uint8_t status;
        uint32_t reason;
    } cases[] = {{false, 4, 4, str::kRedNotAnswering},   {false, 5, 4, str::kBlueNotAnswering},
                 {false, 4, 2, str::kNoSensorRed},       {false, 5, 3, str::kNoSensorBlue},
                 {true, 3, 4, str::kRedNotAnswering},    {true, 4, 4, str::kBlueNotAnswering},
                 {true, 5, 4, str::kYellowNotAnswering}, {true, 3, 3, str::kNoSensorRed},
                 {true, 8, 2, str::kNoSensorYellow}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.threeStation ? "three" : "two") << " stations, block " << c.first
                                        << ", status " << int{c.status});
        DocumentRig rig;
        CKorvantaDoc& doc = *rig.document;
        if (c.threeStation) {
            doc.EnterThreeStationMode();
            doc.ThreeStationRun().Setup({0, 0, 0}, 0.0f, 0.0f);
            ASSERT_TRUE(doc.ThreeStationRun().Start());
        } else {
            LayPipe(doc);
            ASSERT_TRUE(doc.StartMeasurement());
        }
        const size_t perSet = c.threeStation ? 3 : 2;
        auto blocks = c.threeStation ? ThreeStationBlocks(5) : TwoStationBlocks(5);
        blocks[c.first].status = c.status;
        blocks[c.first + perSet].status = c.status;
        for (size_t i = 0; i < c.first + perSet; ++i) {
            Deliver(rig, blocks[i], c.threeStation);
        }
        EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 0u) << "one empty block costs only its pairs";
        rig.comms.ForgetTaken();
        Deliver(rig, blocks[c.first + perSet], c.threeStation);
        EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 1u);
        EXPECT_EQ(doc.EndReason(), c.reason);
        EXPECT_TRUE(rig.comms.Codes().empty()) << "no further block is asked for";
    }
}

TEST(UnusableBlocksFlowTest, ThreeStationsLoseOnlyThePairsOfTheLostBlock)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.EnterThreeStationMode();
    doc.ThreeStationRun().Setup({0, 0, 0}, 0.0f, 0.0f);
    ASSERT_TRUE(doc.ThreeStationRun().Start());
    auto blocks = ThreeStationBlocks(12);
    blocks[3].status = 4;        // red, second set
    blocks[22].status = 2;       // blue, eighth set
    blocks[30].exponent = -112;  // red, eleventh set
    rig.comms.ForgetTaken();
    for (const DataBlockRecord& block : blocks) {
        Deliver(rig, block, true);
    }
    doc.ThreeStationRun().Stop();
    EXPECT_EQ(doc.ThreeStation().Record(0).pairTotal, 9u);   // red/blue
    EXPECT_EQ(doc.ThreeStation().Record(1).pairTotal, 11u);  // blue/yellow
    EXPECT_EQ(doc.ThreeStation().Record(2).pairTotal, 10u);  // red/yellow
    EXPECT_EQ(CountOf(rig.comms.Codes(), TM_START_SAMPLING), 2u);
    EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 0u);
    ExpectThreeStationDelays(doc);
}

TEST(UnusableBlocksFlowTest, ANewThreeStationMeasurementStartsCountingEmptyBlocksAfresh)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.EnterThreeStationMode();
    doc.ThreeStationRun().Setup({0, 0, 0}, 0.0f, 0.0f);
    auto blocks = ThreeStationBlocks(2);
    blocks[2].status = 4;  // yellow's last block of the first measurement
    blocks[5].status = 4;  // and its first of the next
    ASSERT_TRUE(doc.ThreeStationRun().Start());
    for (size_t i = 0; i < 3; ++i) {
        Deliver(rig, blocks[i], true);
    }
    doc.ThreeStationRun().Stop();
    ASSERT_TRUE(doc.ThreeStationRun().Start());
    for (size_t i = 3; i < blocks.size(); ++i) {
        Deliver(rig, blocks[i], true);
    }
    EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 0u);
    EXPECT_EQ(doc.EndReason(), 0u);
    EXPECT_TRUE(doc.IsMeasuring());
}

}  // namespace
}  // namespace korvanta
