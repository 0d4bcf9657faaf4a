#include <iostream>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "core/correlation/DataBlockFile.h"
#include "sim/TwoStationRecording.h"

namespace korvanta::cli {

int RunSimulate(const std::vector<std::string>& args)
{
    const CommandLine options(args, {"out", "delay", "pairs", "snr", "seed", "band"});
    if (!options.Positional().empty()) {
        throw UsageError("unexpected argument '" + options.Positional()[0] + "'");
    }
    const auto out = options.Value("out");
    if (!out || !options.Has("delay") || !options.Has("pairs")) {
        throw UsageError("--out BLOCKS, --delay SECONDS and --pairs N are required");
    }
    sim::TwoStationScenario scenario;
    scenario.delaySeconds = options.Number("delay", 0.0);
    scenario.blockPairs = static_cast<int>(options.Integer("pairs", 0, 1, sim::kMaxBlockPairs));
    scenario.snrDb = options.Number("snr", scenario.snrDb);
    scenario.seed = static_cast<uint64_t>(options.Integer("seed", 1, 0, 0x7FFFFFFF));
    if (auto band = options.Value("band")) {
        const auto [low, high] = SplitPair(*band, "--band");
        scenario.lowHz = ParseNumber(low, "--band");
        scenario.highHz = ParseNumber(high, "--band");
    }
    if (const std::string fault = sim::CheckScenario(scenario); !fault.empty()) {
        throw UsageError(fault);
    }
    const std::vector<DataBlockRecord> blocks = sim::SimulateTwoStationMeasurement(scenario);
    if (blocks.size() != 2 * static_cast<size_t>(scenario.blockPairs)) {
        std::cerr << "korvanta-cli simulate: the stations' noise cannot be coded into blocks; nothing written\n";
        return 1;
    }
    std::string error;
    if (!WriteDataBlockFile(*out, blocks, error)) {
        std::cerr << "korvanta-cli simulate: " << error << "\n";
        return 2;
    }
    return 0;
}

}  // namespace korvanta::cli
