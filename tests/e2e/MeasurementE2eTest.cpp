// Whole two-station measurements from START to a located leak: the document, the comms thread,
// the link library and the simulated field kit behind the port "SIM", all in this process.
#include <gtest/gtest.h>


#include "E2eSupport.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"
#include "tests/support/WholeFile.h"

namespace korvanta::e2e {
namespace {

using Outcome = MeasurementRunner::Outcome;

using test::ReadAll;

// A leak placed on a pipe is found within one lag's travel at the velocity where it lies.
struct LocatedLeak {
    const char* name;
    std::vector<PipeSection> sections;
    float leakMetres;
    float localVelocity;
};

class LocateTest : public testing::TestWithParam<LocatedLeak> {};

TEST_P(LocateTest, TheLeakIsFoundWithinOneLagsTravel)
{
    const LocatedLeak& c = GetParam();
    PipeSections pipe{};
    std::copy(c.sections.begin(), c.sections.end(), pipe.begin());
    KitRig rig(FastKit(pipe, c.leakMetres));
    ASSERT_TRUE(rig.kit) << rig.kitError;
    ASSERT_TRUE(rig.Open());
    CKorvantaDoc& doc = *rig.document;
    doc.Edit().ApplySensorCombination(6);
    doc.Edit().ApplyPipeData(pipe);

    ASSERT_EQ(rig.Measure(8), Outcome::Complete) << rig.messageText.str();
    EXPECT_EQ(doc.PairTotal(), 8u);
    EXPECT_TRUE(doc.IsResultValid());
    EXPECT_FALSE(doc.IsMeasuring());
    EXPECT_EQ(rig.Count(kHintNewResult), 8u);
    ASSERT_TRUE(doc.Recompute());
    const LeakPosition position = doc.ComputeLeakPosition(doc.GetDelay());
    const float tolerance = kLagSeconds * c.localVelocity;
    EXPECT_NEAR(position.fromStart, c.leakMetres, tolerance);
    EXPECT_NEAR(position.fromEnd, doc.Pipe().TotalLength() - c.leakMetres, tolerance);

    // Saved, opened again and saved again, the file does not change by a byte.
    ASSERT_TRUE(doc.Save(rig.folder / "m.kvd"));
    ASSERT_TRUE(doc.Open(rig.folder / "m.kvd"));
    ASSERT_TRUE(doc.Recompute());
    EXPECT_NEAR(doc.ComputeLeakPosition(doc.GetDelay()).fromStart, c.leakMetres, tolerance);
    ASSERT_TRUE(doc.Save(rig.folder / "again.kvd"));
    EXPECT_EQ(ReadAll(rig.folder / "again.kvd"), ReadAll(rig.folder / "m.kvd"));
}

INSTANTIATE_TEST_SUITE_P(Pipes, LocateTest,
                         testing::Values(LocatedLeak{"OneSection", {Section(2, 200.0f, 1000.0f)}, 75.0f, 1000.0f},
                                         // Iron, polyethylene and iron again, the leak in the slow middle section.
                                         LocatedLeak{"ThreeSections",
                                                     {Section(2, 120.0f, 1300.0f), Section(3, 60.0f, 450.0f),
                                                      Section(2, 150.0f, 1100.0f)},
                                                     150.0f,
                                                     450.0f}),
                         [](const testing::TestParamInfo<LocatedLeak>& info) { return std::string(info.param.name); });

TEST(MeasurementE2eTest, StationsStartSamplingAfreshAfterEverySixPairs)
{
    PipeSections pipe{};
    pipe[0] = Section(2, 300.0f, 1200.0f);
    KitRig rig(FastKit(pipe, 200.0f));
    ASSERT_TRUE(rig.Open());
    rig.document->Edit().ApplyPipeData(pipe);
    ASSERT_EQ(rig.Measure(13), Outcome::Complete) << rig.messageText.str();
    const sim::KitCounters counters = rig.kit->Kit().Counters();
    EXPECT_EQ(counters.samplingStarts, 3u);  // the start, after pair 6 and after pair 12
    EXPECT_EQ(counters.samplingRefusals, 0u);
    EXPECT_EQ(rig.document->UpdateCounter(), 26u);
    ASSERT_TRUE(rig.document->Recompute());
    EXPECT_NEAR(rig.document->ComputeLeakPosition(rig.document->GetDelay()).fromStart, 200.0f, kLagSeconds * 1200.0f);
}

TEST(MeasurementE2eTest, AnOutstationThatDropsOutEndsTheMeasurementAndItsDataIsKept)
{
    PipeSections pipe{};
    pipe[0] = Section(2, 200.0f, 1000.0f);
    KitRig rig(FastKit(pipe, 60.0f));
    ASSERT_TRUE(rig.Open());
    CKorvantaDoc& doc = *rig.document;
    doc.Edit().ApplyPipeData(pipe);
    rig.onHint = [&](uint32_t hint) {
        if (hint == kHintNewResult && rig.Count(kHintNewResult) == 3) {
            rig.kit->Kit().SetUnitOn(2, false);  // blue goes out of radio range
        }
    };
    ASSERT_EQ(rig.Measure(20), Outcome::Ended) << rig.messageText.str();
    EXPECT_EQ(rig.Count(kHintMeasurementEnded), 1u);
    EXPECT_FALSE(doc.IsMeasuring());
    EXPECT_TRUE(doc.IsResultValid());
    const uint32_t pairs = doc.PairTotal();
    EXPECT_GE(pairs, 3u);
    EXPECT_LT(pairs, 20u);

    ASSERT_TRUE(doc.Save(rig.folder / "partial.kvd"));
    doc.NewDocument();
    EXPECT_EQ(doc.PairTotal(), 0u);
    ASSERT_TRUE(doc.Open(rig.folder / "partial.kvd"));
    EXPECT_EQ(doc.PairTotal(), pairs);
    ASSERT_TRUE(doc.Recompute());
    EXPECT_NEAR(doc.ComputeLeakPosition(doc.GetDelay()).fromStart, 60.0f, kLagSeconds * 1000.0f);
}

TEST(MeasurementE2eTest, AnInterfaceUnitThatFallsSilentEndsTheMeasurement)
{
    PipeSections pipe{};
    pipe[0] = Section(2, 200.0f, 1000.0f);
    KitRig rig(FastKit(pipe, 120.0f));
    ASSERT_TRUE(rig.Open());
    rig.document->Edit().ApplyPipeData(pipe);
    rig.onHint = [&](uint32_t hint) {
        if (hint == kHintNewResult && rig.Count(kHintNewResult) == 2) {
            rig.kit->Kit().SetSilent(true);
        }
    };
    ASSERT_EQ(rig.Measure(20), Outcome::Ended);
    EXPECT_EQ(rig.Count(kHintMeasurementEnded), 1u);
    EXPECT_GE(rig.document->PairTotal(), 2u);
    EXPECT_TRUE(rig.document->IsResultValid());
}

TEST(MeasurementE2eTest, AStartTheStationsRefuseTellsWhyAndMeasuresNothing)
{
    PipeSections pipe{};
    pipe[0] = Section(2, 200.0f, 1000.0f);
    sim::KitOptions options = FastKit(pipe, 100.0f);
    options.units[2].sensor = false;  // blue without its sensor
    KitRig rig(options);
    ASSERT_TRUE(rig.Open());
    rig.document->Edit().ApplyPipeData(pipe);
    EXPECT_EQ(rig.Measure(4), Outcome::StartFailed);
    EXPECT_FALSE(rig.document->IsMeasuring());
    EXPECT_EQ(rig.document->PairTotal(), 0u);
    EXPECT_EQ(rig.messages.Shown(), std::vector<uint32_t>{str::kNoSensorBlue});
    EXPECT_NE(rig.messageText.str().find("bl"), std::string::npos);  // the text names the blue station
}

}  // namespace
}  // namespace korvanta::e2e
