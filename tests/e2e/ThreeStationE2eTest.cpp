// The three-station mode end to end: red, blue and yellow on one main in the simulated kit, the
// three pairs measured at once, the velocity and the leak found from their delays alone, and the
// result through a kv3 file.
#include <gtest/gtest.h>

#include "ScenarioRig.h"
#include "core/document/DocumentHints.h"
#include "core/document/MeasurementRunner.h"
#include "core/text/StringIds.h"
#include "core/threestation/EngineDelays.h"
#include "core/threestation/Kv3File.h"
#include "core/threestation/ThreeStationSetup.h"
#include "sim/scenario/DefaultScenario.h"
#include "sim/scenario/ThreeStationScenario.h"

namespace korvanta::e2e {
namespace {

constexpr int kDuctileIron = 2;
constexpr int kPvc = 8;

struct ThreeStationRun {
    MeasurementRunner::Outcome outcome = MeasurementRunner::Outcome::StartFailed;
    CThreeStationResult result;
    std::vector<uint32_t> hints;
};

// Sets the document up as the wizard does for red-blue and blue-yellow and measures `pairs`.
ThreeStationRun MeasureThree(KitRig& rig, float redBlue, float blueYellow, uint32_t pairs, int material = kDuctileIron)
{
    ThreeStationRun run;
    CKorvantaDoc& doc = *rig.document;
    ThreeStationSetup setup;
    setup.SetRedBlue(redBlue);
    setup.SetBlueYellow(blueYellow);
    setup.Finish(doc.Materials(), material, setup.DefaultCutoffs(doc.Materials(), material));
    doc.EnterThreeStationMode();
    doc.ThreeStationRun().Setup(setup.Ranges(), setup.Cutoffs().low, setup.Cutoffs().high);
    run.result = CThreeStationResult(setup);

    MeasurementRunner runner(doc, rig.link, rig.notices, rig.messages, rig.clock);
    MeasurementRunner::Options options;
    options.threeStation = true;
    options.pairs = pairs;
    options.timeoutMs = 300000;
    run.outcome = runner.Run(options);
    run.hints = runner.Hints();
    ComputeFromEngines(doc.ThreeStation(), run.result);
    return run;
}

size_t Count(const std::vector<uint32_t>& hints, uint32_t hint)
{
    return static_cast<size_t>(std::count(hints.begin(), hints.end(), hint));
}

struct MainCase {
    const char* name;
    std::shared_ptr<sim::Scenario> scenario;
    float redBlue;
    float blueYellow;
    double leak;
    int material;
};

TEST(ThreeStationE2e, ThreePairsGiveTheVelocityAndTheLeakWithoutAPipeModel)
{
    auto laidOut = std::make_shared<sim::Scenario>(sim::ThreeStationScenario(100.0, 50.0));
    const MainCase cases[] = {
        {"the shipped 300 m iron main", ShippedScenario("three-station-iron.json"), 120.0f, 180.0f, 47.3, kDuctileIron},
        // The kit's own pipe, the one the two-station mode measures: PVC, chosen as such.
        {"the main laid out at the entered distances", laidOut, 100.0f, 50.0f, 40.0, kPvc},
    };
    for (const MainCase& c : cases) {
        SCOPED_TRACE(c.name);
        KitRig rig(FastScenarioKit(c.scenario));
        ASSERT_TRUE(rig.Open()) << rig.kitError;
        const ThreeStationRun run = MeasureThree(rig, c.redBlue, c.blueYellow, 6, c.material);
        ASSERT_EQ(run.outcome, MeasurementRunner::Outcome::Complete) << rig.messageText.str();
        EXPECT_GE(Count(run.hints, kHintThreeStationResult), 1u);
        EXPECT_GE(Count(run.hints, kHintThreeStationBlockSet), 6u);

        const double velocity = LocalVelocity(*c.scenario, 0.0);
        const CThreeStationResult& result = run.result;
        ASSERT_TRUE(result.IsValid());
        EXPECT_NEAR(result.Velocity(), velocity, 0.02 * velocity);
        EXPECT_NEAR(result.RedYellow().fromFirst, c.leak, 1.0);
        EXPECT_NEAR(result.RedBlue().fromFirst, c.leak, 1.0);
        EXPECT_EQ(result.Segment(), CThreeStationResult::kSegmentRedBlue);
        EXPECT_EQ(result.PlausibilityNote(), 0u);
    }
}

TEST(ThreeStationE2e, TheRunningKitTakesTheMainLaidOutAtTheEnteredDistances)
{
    // The kit starts on its two-station default; the three-station set-up lays a main out.
    KitRig rig(FastScenarioKit(std::make_shared<sim::Scenario>(sim::DefaultScenario())));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    // Plastic carries a leak's noise about 110 m to a hydrophone: the sensors stand within that.
    rig.kit->Kit().SetScenario(std::make_shared<sim::Scenario>(sim::ThreeStationScenario(80.0, 60.0)));
    const ThreeStationRun run = MeasureThree(rig, 80.0f, 60.0f, 6, kPvc);
    ASSERT_EQ(run.outcome, MeasurementRunner::Outcome::Complete);
    ASSERT_TRUE(run.result.IsValid());
    EXPECT_NEAR(run.result.RedYellow().fromFirst, 32.0, 1.0);
    // One pipe in both modes: the velocity the two-station default has, no note about it.
    const double velocity = LocalVelocity(sim::DefaultScenario(), 0.0);
    EXPECT_NEAR(run.result.Velocity(), velocity, 0.02 * velocity);
    EXPECT_EQ(run.result.PlausibilityNote(), 0u);
}

TEST(ThreeStationE2e, ASavedResultOpensAgainWithTheSameNumbers)
{
    KitRig rig(FastScenarioKit(ShippedScenario("three-station-iron.json")));
    ASSERT_TRUE(rig.Open()) << rig.kitError;
    const ThreeStationRun run = MeasureThree(rig, 120.0f, 180.0f, 6);
    ASSERT_EQ(run.outcome, MeasurementRunner::Outcome::Complete);
    std::string error;
    const auto path = rig.folder / "main.kv3";
    ASSERT_TRUE(WriteKv3File(path, rig.document->ThreeStation(), run.result, error)) << error;

    // The file is opened again: the correlations are rebuilt and the result computed afresh.
    ThreeStationMeasurement& three = rig.document->ThreeStation();
    std::array<std::pair<CutoffPair, std::string>, 3> kept;
    for (int i = 0; i < 3; ++i) {
        kept[static_cast<size_t>(i)] = {{three.Record(i).filters.lowCutoff, three.Record(i).filters.highCutoff},
                                        std::string(three.Record(i).measuringTime, 8)};
    }
    rig.document->ThreeStationRun().Clear();
    Kv3Contents contents;
    ASSERT_EQ(ReadKv3File(path, contents), Kv3Status::Ok);
    RestoreKv3Records(contents, three);
    CThreeStationResult& reopened = contents.result;
    ComputeFromEngines(three, reopened);
    EXPECT_EQ(reopened.Velocity(), run.result.Velocity());
    EXPECT_EQ(reopened.RedYellow(), run.result.RedYellow());
    EXPECT_EQ(reopened.RedBlue(), run.result.RedBlue());
    EXPECT_EQ(reopened.MeanVelocity(), run.result.MeanVelocity());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(reopened.Pair(i).distance, run.result.Pair(i).distance);
        EXPECT_EQ(three.Record(i).filters.lowCutoff, kept[static_cast<size_t>(i)].first.low);
        EXPECT_EQ(three.Record(i).filters.highCutoff, kept[static_cast<size_t>(i)].first.high);
        EXPECT_EQ(std::string(three.Record(i).measuringTime, 8), kept[static_cast<size_t>(i)].second);
    }
}

TEST(ThreeStationE2e, AStationThatIsGoneEndsTheMeasurementNamingItInsteadOfStallingIt)
{
    const struct {
        const char* event;
        uint32_t reason;
    } cases[] = {{"unit-off", str::kYellowNotAnswering}, {"sensor-unplugged", str::kNoSensorYellow}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        auto scenario = ScenarioFromText(std::string(R"({
            "pipe": [ { "lengthM": 300, "material": "ductile-iron", "innerDiameterMm": 158, "wallMm": 6 } ],
            "units": { "blue": { "sensor": { "positionM": 120 } }, "yellow": { "sensor": { "positionM": 300 } } },
            "leaks": [ { "positionM": 47.3 } ],
            "timeline": [ { "afterBlocks": 10, "event": ")") +
                                         c.event + R"(", "unit": "yellow" } ]
        })");
        KitRig rig(FastScenarioKit(scenario));
        ASSERT_TRUE(rig.Open()) << rig.kitError;
        const ThreeStationRun run = MeasureThree(rig, 120.0f, 180.0f, 40);
        EXPECT_EQ(run.outcome, MeasurementRunner::Outcome::Ended);
        EXPECT_FALSE(rig.document->IsMeasuring());
        EXPECT_EQ(Count(run.hints, kHintMeasurementEnded), 1u);
        EXPECT_EQ(rig.messages.Shown(), std::vector<uint32_t>{c.reason});
        // The pair without yellow summed what came before the end.
        EXPECT_GE(rig.document->ThreeStation().Record(0).pairTotal, 3u);
    }
}

}  // namespace
}  // namespace korvanta::e2e
