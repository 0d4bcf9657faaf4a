// A block without a usable spectrum during a measurement costs its own pair: the stations stay
// paired, the chains still end after six sets, and the result is found.
#include <gtest/gtest.h>

#include <algorithm>

#include "DocumentTestSupport.h"
#include "MeasurementBlocks.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/document/DocumentHints.h"

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

TEST(UnusableBlocksFlowTest, ThreeStationsLoseOnlyThePairsOfTheLostBlock)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.EnterThreeStationMode();
    doc.ThreeStationSetup({0, 0, 0}, 0.0f, 0.0f);
    ASSERT_TRUE(doc.ThreeStationStart());
    auto blocks = ThreeStationBlocks(12);
    blocks[3].status = 4;        // red, second set
    blocks[22].status = 2;       // blue, eighth set
    blocks[30].exponent = -112;  // red, eleventh set
    rig.comms.ForgetTaken();
    for (const DataBlockRecord& block : blocks) {
        Deliver(rig, block, true);
    }
    doc.ThreeStationStop();
    EXPECT_EQ(doc.ThreeStation().Record(0).pairTotal, 9u);   // red/blue
    EXPECT_EQ(doc.ThreeStation().Record(1).pairTotal, 11u);  // blue/yellow
    EXPECT_EQ(doc.ThreeStation().Record(2).pairTotal, 10u);  // red/yellow
    EXPECT_EQ(CountOf(rig.comms.Codes(), TM_START_SAMPLING), 2u);
    EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 0u);
    const std::pair<int32_t, double> expected[] = {
        {6, kRedArrival - kBlueArrival}, {12, kBlueArrival - kYellowArrival}, {10, kRedArrival - kYellowArrival}};
    for (const auto& [pair, delay] : expected) {
        doc.SetSelectedPair(pair);
        ASSERT_TRUE(doc.Recompute()) << pair;
        EXPECT_NEAR(doc.GetDelay(), delay, kLagSeconds) << pair;
    }
}

}  // namespace
}  // namespace korvanta
