// The command routines over a radio link that loses or damages a share of its frames both ways,
// against the in-process kit on the program's fake clock: every data block of a long run gets
// through, at the cost of retransmission time only, while a link that is really gone still fails
// the routine at once.
#include <gtest/gtest.h>

#include "KitIntegrationRig.h"
#include "core/text/StringIds.h"

namespace korvanta::test {
namespace {

sim::KitOptions LossyKit(double lose, double corrupt, bool paced)
{
    sim::KitOptions options = FastKit();
    options.paced = paced;  // paced: each block also takes its sampling time on the fake clock
    options.seed = 7;
    options.lineFaults.lose = lose;
    options.lineFaults.corrupt = corrupt;
    return options;
}

TEST(LossyKitIntegrationTest, EveryDataBlockGetsThroughThirtyPercentLostOrDamagedFrames)
{
    struct Case {
        double lose;
        double corrupt;
        bool paced;
    };
    for (const Case c : {Case{0.3, 0.0, true}, Case{0.0, 0.3, true}, Case{0.15, 0.15, false}}) {
        InProcessRig rig(LossyKit(c.lose, c.corrupt, c.paced));
        ASSERT_TRUE(rig.opened);
        uint32_t errorId = str::kNoError;
        ASSERT_TRUE(rig.commands->StartSampling(errorId)) << errorId;
        int received = 0;
        for (int block = 0; block < 120; ++block) {
            received += rig.commands->GetDataBlock(false, errorId) ? 1 : 0;
        }
        EXPECT_EQ(received, 120) << c.lose << " lost, " << c.corrupt << " damaged";
        const sim::LineFaultCounters line = rig.Device().LineCounters();
        EXPECT_GT(line.lostIn + line.lostOut + line.corruptedIn + line.corruptedOut, 50u);
    }
}

TEST(LossyKitIntegrationTest, ALinkThatIsReallyGoneFailsTheBlockWithinSeconds)
{
    InProcessRig rig(LossyKit(0.3, 0.0, false));
    ASSERT_TRUE(rig.opened);
    uint32_t errorId = str::kNoError;
    ASSERT_TRUE(rig.commands->StartSampling(errorId));
    rig.Device().SetLineFaults({1.0, 0.0});  // nothing crosses any more
    const int64_t start = rig.Clock().NowMs();
    EXPECT_FALSE(rig.commands->GetDataBlock(false, errorId));
    EXPECT_EQ(errorId, str::kCommunicationError);
    EXPECT_LE(rig.Clock().NowMs() - start, 6000);
}

}  // namespace
}  // namespace korvanta::test
