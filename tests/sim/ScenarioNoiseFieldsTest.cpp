// The scenario fields of the noise field: pipe noises, partly coherent traffic, background,
// timing offsets, roll-off and self-noise in physical units; read, and refused by their place.
#include <gtest/gtest.h>

#include <string>

#include "sim/scenario/ScenarioParser.h"

namespace korvanta::sim {
namespace {

TEST(ScenarioNoiseFields, TheNoiseFieldIsRead)
{
    Scenario s;
    std::string error;
    ASSERT_TRUE(ScenarioParser::Parse(R"({
        "leakPressurePa": 5,
        "units": {"blue": {"timingOffsetMs": -1.5,
                           "sensor": {"type": "accelerometer", "selfNoisePerRootHz": 2e-5, "lowCutHz": 8}}},
        "disturbances": {
          "traffic": {"levelDb": -10, "positionM": 60, "coherenceLengthM": 150},
          "background": {"levelDb": -25, "slopeDbPerOctave": -9, "lowHz": 3, "highHz": 800,
                         "comesAndGoes": {"periodS": 30, "onShare": 0.4, "offLevelDb": -20}},
          "pipeNoise": [{"kind": "water-use", "positionM": -20},
                        {"kind": "pump", "positionM": 150, "levelDb": 6, "lowHz": 30},
                        {"kind": "pressure-valve", "positionM": 130, "comesAndGoes": {"periodS": 5}}]}})",
                                      "/s", s, error))
        << error;
    const AcousticScene& scene = s.scene;
    EXPECT_EQ(scene.referencePressurePa, 5.0);
    EXPECT_EQ(scene.sensors[2].timingOffsetSeconds, -0.0015);
    EXPECT_EQ(scene.sensors[2].selfNoisePerRootHz, 2e-5);
    EXPECT_EQ(scene.sensors[2].lowCutHz, 8.0);
    EXPECT_EQ(scene.traffic.positionMetres, 60.0);
    EXPECT_EQ(scene.traffic.coherenceLengthMetres, 150.0);
    ASSERT_TRUE(scene.background.on);
    EXPECT_EQ(scene.background.slopeDbPerOctave, -9.0);
    EXPECT_EQ(scene.background.band.highHz, 800.0);
    EXPECT_EQ(scene.background.gating.periodSeconds, 30.0);
    EXPECT_EQ(scene.background.gating.offLevelDb, -20.0);
    ASSERT_EQ(scene.pipeNoises.size(), 3u);
    // A kind brings its usual band, level and gating; what the file states replaces them.
    EXPECT_EQ(scene.pipeNoises[0].kind, PipeNoiseKind::WaterUse);
    EXPECT_EQ(scene.pipeNoises[0].levelDb, -6.0);
    EXPECT_EQ(scene.pipeNoises[0].gating.periodSeconds, 20.0);
    EXPECT_EQ(scene.pipeNoises[1].levelDb, 6.0);
    EXPECT_EQ(scene.pipeNoises[1].band.lowHz, 30.0);
    EXPECT_EQ(scene.pipeNoises[1].band.highHz, 400.0);
    EXPECT_TRUE(scene.pipeNoises[1].gating.Steady());
    EXPECT_EQ(scene.pipeNoises[2].gating.periodSeconds, 5.0);
    // Left out, the traffic is the same at every sensor and nothing else is there.
    Scenario plain;
    ASSERT_TRUE(ScenarioParser::Parse("{}", "/s", plain, error));
    EXPECT_FALSE(plain.scene.traffic.coherenceLengthMetres);
    EXPECT_FALSE(plain.scene.background.on);
    EXPECT_TRUE(plain.scene.pipeNoises.empty());
    EXPECT_EQ(plain.scene.sensors[1].timingOffsetSeconds, 0.0);
}

TEST(ScenarioNoiseFields, WrongNoiseFieldsAreRefusedByTheirPlace)
{
    const struct {
        const char* text;
        const char* fault;
    } cases[] = {
        {R"({"disturbances": {"pipeNoise": [{"kind": "tap", "positionM": 1}]}})",
         "disturbances.pipeNoise[0].kind: must be \"water-use\", \"pump\" or \"pressure-valve\""},
        {R"({"disturbances": {"pipeNoise": [{"kind": "pump"}]}})", "disturbances.pipeNoise[0].positionM: is needed"},
        {R"({"disturbances": {"pipeNoise": [{"kind": "pump", "positionM": 1, "comesAndGoes": {"onShare": 0.5}}]}})",
         "disturbances.pipeNoise[0].comesAndGoes.periodS: is needed"},
        {R"({"disturbances": {"background": {"comesAndGoes": {"periodS": 10, "onShare": 2}}}})",
         "disturbances.background.comesAndGoes.onShare: must be a number in 0..1"},
        {R"({"disturbances": {"background": {"slopeDbPerOctave": -30}}})",
         "disturbances.background.slopeDbPerOctave: must be a number in -24..24"},
        {R"({"disturbances": {"background": {"lowHz": 0.5}}})", "background: the band must start at 1 Hz or above"},
        {R"({"disturbances": {"traffic": {"coherenceLengthM": 0}}})",
         "disturbances.traffic.coherenceLengthM: must be a number in 0.1..1e+06"},
        {R"({"units": {"red": {"timingOffsetMs": 2000}}})",
         "units.red.timingOffsetMs: must be a number in -1000..1000"},
        {R"({"units": {"red": {"sensor": {"lowCutHz": -1}}}})",
         "units.red.sensor.lowCutHz: must be a number in 0..1000"},
        {R"({"units": {"red": {"sensor": {"selfNoisePerRootHz": "low"}}}})",
         "units.red.sensor.selfNoisePerRootHz: must be a number in 0..1000"},
        {R"({"leakPressurePa": 0})", "leakPressurePa: must be a number in 1e-06..1e+07"},
    };
    for (const auto& c : cases) {
        Scenario scenario;
        std::string error;
        EXPECT_FALSE(ScenarioParser::Parse(c.text, "/s", scenario, error)) << c.text;
        EXPECT_EQ(error, c.fault) << c.text;
    }
}

}  // namespace
}  // namespace korvanta::sim
