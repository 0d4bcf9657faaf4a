// Calibrates the reliability rule and the position interval on simulated measurements: every
// scenario named on the command line is measured with several seeds as a crew would measure it
// (the kit's acoustic model coded into blocks as an outstation codes them, 20 block pairs of red
// and blue, six pairs to a chain, the crew's table velocities and the filters the program
// proposes), and each result is judged against the truth. A result called reliable must lie
// within max(2 m, 2 % of the sensor spacing) of the leak when its delay is turned into a place
// with the velocities the wave really has; its interval (the crew's velocities and their
// shares) must hold the leak.
//
//   korvanta-verdict-calibration [--seeds N] [--first-seed S] [--pairs P] [--runs-only]
//                                SCENARIO.json[:notches] ...
//
// Prints one line per run and a markdown table per scenario; exit status 1 when any result was
// called reliable and was wrong, or any reliable interval missed the leak.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/correlation/CCorrelator.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/host/IMessageSink.h"
#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/FilterProposal.h"
#include "core/pipe/LeakPosition.h"
#include "core/pipe/Pipe.h"
#include "core/record/MeasurementRecord.h"
#include "core/result/LeakResultReport.h"
#include "sim/SpectrumEncoder.h"
#include "sim/scenario/CrewVelocity.h"
#include "sim/scenario/ScenarioBlockSource.h"
#include "sim/scenario/ScenarioFile.h"

namespace fs = std::filesystem;
using namespace korvanta;

namespace {

constexpr int kPairsPerChain = 6;

struct Options {
    int seeds = 5;
    uint64_t firstSeed = 1;
    int pairs = 20;
    bool runsOnly = false;
    std::vector<std::string> scenarios;
};

struct Run {
    std::string scenario;
    uint64_t seed = 0;
    bool right = false;
    bool reliable = false;
    bool intervalHolds = false;
    std::string reasons;
};

// The program's material files in a folder of their own, so no run writes beside the sources.
fs::path MaterialFolder()
{
    const fs::path folder = fs::temp_directory_path() / ("korvanta-calibration-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    for (const char* name : {"mlist.fd", "filters.fd", "PresetFilters.fd"}) {
        fs::copy_file(fs::path(KORVANTA_DATA_DIR) / name, folder / name, fs::copy_options::overwrite_existing);
    }
    return folder;
}

PipeSections PipeOf(const sim::Scenario& scenario, const CMaterialDatabase& materials, bool crew)
{
    PipeSections pipe{};
    const auto& sections = scenario.scene.pipe.Sections();
    for (size_t i = 0; i < sections.size() && i < pipe.size(); ++i) {
        pipe[i].materialIndex = sim::ProgramMaterialIndex(sections[i].material).value_or(2);
        pipe[i].length = static_cast<float>(sections[i].lengthMetres);
        pipe[i].diameter = static_cast<float>(sections[i].innerDiameterMm);
        pipe[i].velocity = static_cast<float>(crew ? sim::EnteredVelocity(scenario, i, materials)
                                                   : sections[i].WaveSpeed(scenario.scene.pipe.WaterProperties()));
        pipe[i].inUse = 1;
    }
    return pipe;
}

std::string ReasonKeys(const ResultVerdict& verdict)
{
    static const char* names[] = {"weak", "ambiguous", "outside", "zero_delay"};
    std::string text;
    for (ResultDoubt doubt : verdict.reasons) {
        text += std::string(text.empty() ? "" : "+") + names[static_cast<int>(doubt)];
    }
    return text.empty() ? "-" : text;
}

bool MeasureOnce(const std::string& argument, uint64_t seed, int pairs, const CMaterialDatabase& materials, Run& run)
{
    std::string path = argument;
    bool notches = false;
    if (path.size() > 8 && path.ends_with(":notches")) {
        path.resize(path.size() - 8);
        notches = true;
    }
    sim::Scenario scenario;
    std::string error;
    if (!sim::LoadScenarioFile(path, scenario, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    scenario.scene.seed = seed;
    const std::unique_ptr<sim::BlockSource> source = sim::MakeScenarioSource(scenario, {1, 2}, &error);
    if (!source) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }

    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    record->pairCode = 6;
    record->pipe = PipeOf(scenario, materials, true);
    SelectRange(record->pipe, record->range);
    SetFiltersFromMaterials(record->pipe, materials, record->filters);
    if (notches) {
        for (int k = 0; k < kNotchCount; ++k) {
            const float hz = 50.0f * static_cast<float>(k + 1);
            record->filters.notches[k] = {hz - 2.0f, hz + 2.0f};
        }
    }
    std::vector<int32_t> trace(620), spectrumA(504), spectrumB(504);
    auto engine = std::make_unique<CCorrelator>();
    engine->Init(trace, spectrumA, spectrumB, 620, 180, 504, 155);
    engine->SetRecord(record.get());
    engine->SetPairCode(6);
    engine->ResetMeasurement();

    sim::SpectrumEncoder encoder;
    for (int pair = 0; pair < pairs; ++pair) {
        const sim::SampledBlock block = source->NextBlock();
        for (int station = 0; station < 2; ++station) {
            DataBlockRecord coded;
            if (!encoder.BuildRecord(std::span<const double>(block.samples[static_cast<size_t>(station)]),
                                     static_cast<uint8_t>(station + 1), static_cast<uint16_t>(block.blockNumber),
                                     sim::kDefaultBattery, coded)) {
                std::fprintf(stderr, "%s: a block cannot be coded\n", path.c_str());
                return false;
            }
            coded.status = 1;
            engine->ProcessBlock(coded);
        }
        if (engine->NeedsRestart() && pair + 1 < pairs) {
            source->Restart(0.0);
            engine->RestartSequence();
        }
    }
    engine->StoreToRecord();
    engine->RestoreFromRecord();

    const double truth = scenario.scene.leaks.front().positionMetres;
    const sim::AcousticPipe& model = scenario.scene.pipe;
    const double truthDelay = model.TravelTime(truth, scenario.scene.sensors[1].positionMetres) -
                              model.TravelTime(truth, scenario.scene.sensors[2].positionMetres);
    const float length = GetTotalLength(record->pipe);
    const double tolerance = std::max(2.0, 0.02 * length);
    const float delay = engine->GetDelay();
    const PipeSections truePipe = PipeOf(scenario, materials, false);
    const bool outside = IsLeakOutsidePipe(truePipe, delay);
    const double trueVelocityPlace = ComputeLeakPosition(truePipe, delay).fromStart;
    const double crewPlace = ComputeLeakPosition(record->pipe, delay).fromStart;
    const bool audible = scenario.scene.leaks.front().levelDb > -40.0;

    const LeakResultReport report = BuildLeakResultReport(*engine, record->pipe, &materials);
    const ResultVerdict& verdict = report.verdict;
    run.scenario = fs::path(argument).filename().string();
    run.seed = seed;
    run.right = audible && !outside && std::abs(trueVelocityPlace - truth) <= tolerance;
    run.reliable = verdict.reliable;
    run.reasons = ReasonKeys(verdict);
    run.intervalHolds = report.interval && report.interval->low <= truth && truth <= report.interval->high;
    std::printf("RUN | %s | %llu | %.2f | %.2f | %+.2f | %+.1f | %s | %s | %.1f/%.1f | %.1f | %.2f | %u | %.2f | "
                "%s | %s |\n",
                run.scenario.c_str(), static_cast<unsigned long long>(seed), truth, crewPlace,
                trueVelocityPlace - truth, (delay - truthDelay) / kLagSeconds, run.right ? "right" : "wrong",
                run.reliable ? "reliable" : "unreliable", verdict.peakSignificance, verdict.significanceNeeded,
                verdict.coherenceSignificance, verdict.lowBandShare,
                report.verdict.reliable ? 0u : static_cast<unsigned>(verdict.rivals.size()),
                verdict.delayHalfWidth * 1000.0, run.reasons.c_str(),
                report.interval ? (std::to_string(report.interval->low).substr(0, 6) + ".." +
                                   std::to_string(report.interval->high).substr(0, 6) +
                                   (run.intervalHolds ? " holds" : " MISSES"))
                                      .c_str()
                                : "-");
    if (std::getenv("KORVANTA_CALIBRATION_PEAKS") != nullptr) {
        const AssessmentInput input = ResultAssessment::FromEngine(*engine, record->pipe);
        const double metresPerLag =
            std::abs(ComputeLeakPosition(record->pipe, delay + 0.5f * static_cast<float>(kLagSeconds)).fromStart -
                     ComputeLeakPosition(record->pipe, delay - 0.5f * static_cast<float>(kLagSeconds)).fromStart);
        std::printf("PEAKS %s %llu | %s | err %.2f tol %.2f | m/lag %.4f | lobe %u lags | sig %.1f | ",
                    run.scenario.c_str(), static_cast<unsigned long long>(seed), run.reliable ? "R" : "U",
                    std::abs(trueVelocityPlace - truth), tolerance, metresPerLag, input.peaks.lobeLags,
                    verdict.peakSignificance);
        std::printf("lobe %u lags, median %.3g, top %.3g at %+d lags:", input.peaks.lobeLags,
                    input.peaks.medianLevel, input.peaks.top.height,
                    static_cast<int>(input.peaks.top.lag) - static_cast<int>(input.spanLags / 2));
        for (const CorrelationPeak& peak : input.peaks.candidates) {
            std::printf(" %.2f at %+d", peak.relative, static_cast<int>(peak.lag) - static_cast<int>(input.peaks.top.lag));
        }
        std::printf("\n");
    }
    std::fflush(stdout);
    return true;
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seeds" && i + 1 < argc) {
            options.seeds = std::atoi(argv[++i]);
        } else if (arg == "--first-seed" && i + 1 < argc) {
            options.firstSeed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--pairs" && i + 1 < argc) {
            options.pairs = std::atoi(argv[++i]);
        } else if (arg == "--runs-only") {
            options.runsOnly = true;
        } else {
            options.scenarios.push_back(arg);
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    if (options.scenarios.empty() || options.seeds < 1 || options.pairs < 1) {
        std::fprintf(stderr, "usage: %s [--seeds N] [--first-seed S] [--pairs P] SCENARIO.json[:notches] ...\n",
                     argv[0]);
        return 2;
    }
    const fs::path folder = MaterialFolder();
    NullMessageSink sink;
    const auto materials = std::make_unique<CMaterialDatabase>(folder, sink);
    materials->SetSaveAtExit(false);

    std::printf("RUN | scenario | seed | leak m | located m | error with true velocity m | delay error lags | "
                "peak | verdict | significance/needed | coherence sigmas | low-band share | rivals | "
                "delay half-width ms | reasons | interval |\n");
    std::vector<Run> runs;
    for (const std::string& scenario : options.scenarios) {
        for (int s = 0; s < options.seeds; ++s) {
            Run run;
            if (!MeasureOnce(scenario, options.firstSeed + static_cast<uint64_t>(s), options.pairs, *materials, run)) {
                fs::remove_all(folder);
                return 2;
            }
            runs.push_back(run);
        }
    }
    fs::remove_all(folder);

    int failures = 0;
    if (!options.runsOnly) {
        std::printf("\n| Scenario | Runs | Reliable and right | Reliable and wrong | Unreliable, peak right | "
                    "Unreliable, peak wrong | Intervals holding the leak | Reasons |\n|---|---|---|---|---|---|---|---|\n");
    }
    std::vector<std::string> names;
    for (const Run& run : runs) {
        if (std::find(names.begin(), names.end(), run.scenario) == names.end()) {
            names.push_back(run.scenario);
        }
    }
    int total[6] = {};
    for (const std::string& name : names) {
        int count = 0, goodReliable = 0, badReliable = 0, missed = 0, rejected = 0, holds = 0;
        std::vector<std::string> reasons;
        for (const Run& run : runs) {
            if (run.scenario != name) {
                continue;
            }
            ++count;
            goodReliable += run.reliable && run.right;
            badReliable += run.reliable && !run.right;
            missed += !run.reliable && run.right;
            rejected += !run.reliable && !run.right;
            holds += run.reliable && run.intervalHolds;
            if (!run.reliable && std::find(reasons.begin(), reasons.end(), run.reasons) == reasons.end()) {
                reasons.push_back(run.reasons);
            }
        }
        failures += badReliable + (goodReliable + badReliable - holds);
        std::string reasonText;
        for (const std::string& reason : reasons) {
            reasonText += (reasonText.empty() ? "" : ", ") + reason;
        }
        if (!options.runsOnly) {
            std::printf("| `%s` | %d | %d | %d | %d | %d | %d of %d | %s |\n", name.c_str(), count, goodReliable,
                        badReliable, missed, rejected, holds, goodReliable + badReliable,
                        reasonText.empty() ? "-" : reasonText.c_str());
        }
        const int row[6] = {count, goodReliable, badReliable, missed, rejected, holds};
        for (int i = 0; i < 6; ++i) {
            total[i] += row[i];
        }
    }
    if (!options.runsOnly) {
        std::printf("| **all** | %d | %d | %d | %d | %d | %d of %d | |\n", total[0], total[1], total[2], total[3],
                    total[4], total[5], total[1] + total[2]);
    }
    return failures == 0 ? 0 : 1;
}
