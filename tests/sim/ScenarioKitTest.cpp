// The kit sampling a scenario: its blocks come from the pipe's acoustics or from the
// recordings, coded as an outstation codes them.
#include <gtest/gtest.h>

#include "KitTestSupport.h"
#include "sim/KitReplies.h"
#include "sim/SpectrumEncoder.h"
#include "sim/acoustics/PipeNoiseGenerator.h"
#include "sim/scenario/DefaultScenario.h"
#include "sim/scenario/ScenarioKitOptions.h"

namespace korvanta::sim {
namespace {

using test::Bytes;

// The payload and exponent of a data-block reply.
Bytes Coded(const Bytes& reply)
{
    EXPECT_EQ(reply.size(), static_cast<size_t>(kDataBlockReplyBytes));
    return Bytes(reply.begin() + 6, reply.end());
}

Bytes Expected(const std::vector<double>& samples, uint8_t unit, uint16_t block)
{
    DataBlockRecord record;
    EXPECT_TRUE(SpectrumEncoder().BuildRecord(std::span<const double>(samples), unit, block, 200, record));
    record.status = kBlockSampled;
    return Coded(DataBlockReply(record, 0));
}

void StartRedAndBlue(test::KitUnderTest& kit)
{
    kit.Answer({kOpSelectSensors, 6});
    ASSERT_EQ(kit.Answer({kOpStartSampling, 1, 0}), (Bytes{kOpStartSampling, 0, 0, 0}));
}

TEST(ScenarioKit, BlocksComeFromThePipesAcoustics)
{
    auto scenario = std::make_shared<Scenario>(DefaultScenario());
    KitOptions options = ScenarioKitOptions(scenario);
    options.paced = false;
    test::KitUnderTest kit(options);
    StartRedAndBlue(kit);
    auto model = PipeNoiseGenerator::Create(scenario->scene, {1, 2});
    ASSERT_TRUE(model);
    for (uint16_t block = 0; block < 2; ++block) {
        const SampledBlock heard = model->NextBlock();
        EXPECT_EQ(Coded(kit.Answer({kOpDataBlock})), Expected(heard.samples[0], 1, block)) << block;
        EXPECT_EQ(Coded(kit.Answer({kOpDataBlock})), Expected(heard.samples[1], 2, block)) << block;
    }
}

TEST(ScenarioKit, BlocksComeFromTheRecordingsWhenTheScenarioHasThem)
{
    auto scenario = std::make_shared<Scenario>(DefaultScenario());
    std::vector<double> red(6000);
    for (size_t i = 0; i < red.size(); ++i) {
        red[i] = 1000.0 * std::sin(0.05 * static_cast<double>(i)) + static_cast<double>(i % 7);
    }
    scenario->recordings[1] = RecordingSettings{"red.wav"};
    scenario->tracks[1] = std::make_shared<const std::vector<double>>(red);
    KitOptions options = ScenarioKitOptions(scenario);
    options.paced = false;
    test::KitUnderTest kit(options);
    StartRedAndBlue(kit);
    EXPECT_EQ(Coded(kit.Answer({kOpDataBlock})),
              Expected(std::vector<double>(red.begin(), red.begin() + kSamplesPerBlock), 1, 0));
    kit.Answer({kOpDataBlock});  // blue: no recording, a faint noise
    // Red's second block runs past the recording's end and round to its start.
    std::vector<double> looped(red.begin() + kSamplesPerBlock, red.end());
    looped.insert(looped.end(), red.begin(), red.begin() + (2 * kSamplesPerBlock - 6000));
    EXPECT_EQ(Coded(kit.Answer({kOpDataBlock})), Expected(looped, 1, 1));
}

TEST(ScenarioKit, OptionsWithAScenarioAreCheckedToo)
{
    auto scenario = std::make_shared<Scenario>(DefaultScenario());
    EXPECT_EQ(CheckKitOptions(ScenarioKitOptions(scenario)), "");
    scenario->recordings[2] = RecordingSettings{"blue.wav"};  // named but never loaded
    EXPECT_NE(CheckKitOptions(ScenarioKitOptions(scenario)).find("blue.wav"), std::string::npos);
    auto broken = std::make_shared<Scenario>(DefaultScenario());
    broken->scene.leaks.clear();
    EXPECT_NE(CheckKitOptions(ScenarioKitOptions(broken)), "");
}

}  // namespace
}  // namespace korvanta::sim
