// Where a measurement's time goes on the paced kit: a whole measurement through the real link
// library, the comms thread and the document, in real time, against the time the line itself
// needs for the data blocks. Reported as counters: seconds per block pair and their ratio to the
// wire floor, and the steps of a pair and of a re-synchronisation.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/TimedLinkLibrary.h"
#include "core/document/DocumentHints.h"
#include "core/link/SteadyClock.h"
#include "sim/BlockTiming.h"
#include "tests/e2e/E2eSupport.h"

namespace korvanta::bench {
namespace {

constexpr uint8_t kOpStartSampling = 0x06;
constexpr uint8_t kOpDataBlock = 0x07;
constexpr double kBaud = 57600.0;
constexpr double kBitsPerByte = 10.0;  // 8N1
constexpr double kBlockBytes = 2808.0;
// Two data blocks on the line and nothing else: the least a pair can take.
constexpr double kWireFloorPerPair = 2.0 * kBlockBytes * kBitsPerByte / kBaud;
// What a re-synchronisation cannot avoid on the kit: the radio to red and blue and back, then
// one block's sampling before the first block exists.
constexpr double kRadioPerStation = 0.12;
constexpr double kResyncFloor = 2.0 * kRadioPerStation + sim::kBlockSeconds;
constexpr int kPairsPerChain = 6;

double Mean(const std::vector<double>& values)
{
    if (values.empty()) {
        return 0.0;
    }
    double sum = 0.0;
    for (const double value : values) {
        sum += value;
    }
    return sum / static_cast<double>(values.size());
}

// Splits the exchanges of a measurement into their steps.
struct Steps {
    std::vector<double> blockExchange;  // block request to its reply taken, blocks already sampled
    std::vector<double> blockGap;       // a block's reply taken to the next request
    std::vector<double> startExchange;  // start-sampling request to its reply
    std::vector<double> resync;         // last block of a chain taken to the first of the next

    explicit Steps(const std::vector<LinkEvent>& events)
    {
        double lastBlockReply = -1.0;
        double startReply = -1.0;
        double pendingRequest = -1.0;
        uint8_t pendingOpcode = 0;
        bool afterStart = false;
        for (const LinkEvent& event : events) {
            if (event.request) {
                if (lastBlockReply >= 0.0 && pendingRequest < 0.0 && event.opcode == kOpDataBlock) {
                    blockGap.push_back(event.seconds - lastBlockReply);
                }
                pendingRequest = event.seconds;
                pendingOpcode = event.opcode;
                continue;
            }
            if (pendingRequest < 0.0 || event.opcode != pendingOpcode) {
                continue;
            }
            if (event.opcode == kOpStartSampling) {
                startExchange.push_back(event.seconds - pendingRequest);
                startReply = event.seconds;
                afterStart = true;
            } else if (event.opcode == kOpDataBlock && event.size == static_cast<int32_t>(kBlockBytes)) {
                if (afterStart && lastBlockReply >= 0.0 && startReply >= 0.0) {
                    resync.push_back(event.seconds - lastBlockReply);
                } else if (!afterStart) {
                    blockExchange.push_back(event.seconds - pendingRequest);
                }
                afterStart = false;
                lastBlockReply = event.seconds;
            }
            pendingRequest = -1.0;
        }
    }
};

void BM_PacedMeasurement(benchmark::State& state)
{
    const auto pairs = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        sim::KitOptions options;
        options.seed = 17;  // paced, the default pipe of 200 m with a leak 80 m from red
        OrvelinkLibrary library;
        TimedLinkLibrary timed(library);
        e2e::BasicKitRig<SteadyClock> rig(options, nullptr, &timed);
        if (!rig.kit) {
            state.SkipWithError(("the kit cannot run: " + rig.kitError).c_str());
            return;
        }
        const double opening = timed.Now();
        if (!rig.Open()) {
            state.SkipWithError("the kit's port did not open");
            return;
        }
        const double linkUp = timed.Now() - opening;

        rig.document->Edit().ApplyPipeData(test::Pipe({test::Section(0, static_cast<float>(options.pipe.lengthMetres),
                                                                     static_cast<float>(options.pipe.velocity))}));
        std::vector<double> resultTimes;
        rig.onHint = [&](uint32_t hint) {
            if (hint == kHintNewResult) {
                resultTimes.push_back(timed.Now());
            }
        };
        const double start = timed.Now();
        const MeasurementRunner::Outcome outcome = rig.Measure(pairs);
        rig.onHint = nullptr;

        const double stopping = timed.Now();
        rig.headless.reset();  // ends the comms thread, as closing the program does
        const double stop = timed.Now() - stopping;

        if (outcome != MeasurementRunner::Outcome::Complete || resultTimes.size() < pairs ||
            pairs < 3 * kPairsPerChain) {
            state.SkipWithError("the measurement did not complete three chains of pairs");
            return;
        }
        // Whole chains from the end of the first to the end of the last: each holds one
        // re-synchronisation, as a long measurement does.
        const double chains = resultTimes[pairs - 1] - resultTimes[kPairsPerChain - 1];
        const double perPair = chains / static_cast<double>(pairs - kPairsPerChain);
        const double kitFloorPerPair = kWireFloorPerPair + kResyncFloor / kPairsPerChain;
        const Steps steps(timed.Events());

        state.counters["s_per_pair"] = perPair;
        state.counters["wire_floor_s"] = kWireFloorPerPair;
        state.counters["ratio_to_wire"] = perPair / kWireFloorPerPair;
        state.counters["ratio_to_wire_and_resync"] = perPair / kitFloorPerPair;
        state.counters["link_up_s"] = linkUp;
        state.counters["start_to_first_pair_s"] = resultTimes[0] - start;
        state.counters["stop_s"] = stop;
        state.counters["block_exchange_s"] = Mean(steps.blockExchange);
        state.counters["block_gap_s"] = Mean(steps.blockGap);
        state.counters["start_exchange_s"] = Mean(steps.startExchange);
        state.counters["resync_s"] = Mean(steps.resync);
    }
}

BENCHMARK(BM_PacedMeasurement)->Arg(18)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace korvanta::bench
