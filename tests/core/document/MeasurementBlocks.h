#pragma once

// Blocks of simulated measurements and their delivery to a document, as the comms thread does.
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "DocumentTestSupport.h"
#include "core/correlation/CorrelationTrace.h"
#include "sim/LeakNoiseGenerator.h"
#include "sim/SpectrumEncoder.h"
#include "sim/TwoStationRecording.h"

namespace korvanta::doctest::blocks {

// Hands one block to the document as the comms thread does.
inline void Deliver(DocumentRig& rig, const DataBlockRecord& block, bool threeStation = false)
{
    rig.link.StoreDataBlock(block);
    rig.link.SetDataBlockReady(true);
    if (threeStation) {
        rig.document->ThreeStationRun().OnBlockReady();
    } else {
        rig.document->OnBlockReady();
    }
}

// 200 m of pipe at 1000 m/s with the leak 75 m from sensor 1 (red): red hears it 0.05 s
// before blue.
constexpr float kLeakFromStart = 75.0f;
constexpr double kTwoStationDelay = -0.05;

inline void LayPipe(CKorvantaDoc& doc)
{
    PipeSections pipe{};
    pipe[0] = Section(2, 200.0f, 1000.0f);
    doc.Edit().ApplyPipeData(pipe);
}

inline std::vector<DataBlockRecord> TwoStationBlocks(int pairs, uint64_t seed = 5)
{
    sim::TwoStationScenario scenario;
    scenario.delaySeconds = kTwoStationDelay;
    scenario.blockPairs = pairs;
    scenario.snrDb = 6.0;
    scenario.seed = seed;
    return sim::SimulateTwoStationMeasurement(scenario);
}

// Red 0 m, blue 100 m, yellow 300 m on a pipe at 1000 m/s, the leak 40 m from red.
constexpr double kRedArrival = 0.04;
constexpr double kBlueArrival = 0.06;
constexpr double kYellowArrival = 0.26;

// The three pairs of a finished three-station measurement, each selected and recomputed, give
// the delays of the stations' arrivals; `eachPair` checks more of a pair while it is selected.
inline void ExpectThreeStationDelays(CKorvantaDoc& doc, const std::function<void(int32_t pair)>& eachPair = {})
{
    const std::pair<int32_t, double> expected[] = {
        {6, kRedArrival - kBlueArrival}, {12, kBlueArrival - kYellowArrival}, {10, kRedArrival - kYellowArrival}};
    for (const auto& [pair, delay] : expected) {
        doc.ThreeStation().SetSelectedPair(pair);
        ASSERT_TRUE(doc.Recompute()) << pair;
        EXPECT_NEAR(doc.GetDelay(), delay, kLagSeconds) << pair;
        if (eachPair)
            eachPair(pair);
    }
}

inline std::vector<DataBlockRecord> ThreeStationBlocks(int sets, double snrDb = 6.0)
{
    sim::LeakNoiseConfig config;
    config.seed = 9;
    config.stations = {{.delaySeconds = kRedArrival, .snrDb = snrDb},
                       {.delaySeconds = kBlueArrival, .snrDb = snrDb},
                       {.delaySeconds = kYellowArrival, .snrDb = snrDb}};
    auto generator = sim::LeakNoiseGenerator::Create(config);
    const sim::SpectrumEncoder encoder;
    std::vector<DataBlockRecord> blocks;
    for (int set = 0; set < sets; ++set) {
        if (set > 0 && set % sim::kPairsPerChain == 0) {
            generator->Restart(0.5);
        }
        const sim::SampledBlock sampled = generator->NextBlock();
        for (uint8_t unit = 1; unit <= 3; ++unit) {
            DataBlockRecord block;
            EXPECT_TRUE(encoder.BuildRecord(std::span<const double>(sampled.samples[unit - 1u]), unit,
                                            static_cast<uint16_t>(sampled.blockNumber), 200, block));
            blocks.push_back(block);
        }
    }
    return blocks;
}

}  // namespace korvanta::doctest::blocks
