#include <cstdlib>
#include <iostream>
#include <memory>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/HeadlessDocument.h"
#include "cli/LinkSession.h"
#include "cli/MeasurementOutput.h"
#include "cli/ThreeStationReport.h"
#include "core/document/CKorvantaDoc.h"
#include "core/document/MeasurementRunner.h"
#include "core/document/TextMessageSink.h"
#include "core/link/SteadyClock.h"
#include "core/text/StringIds.h"
#include "core/threestation/DistanceEntry.h"
#include "core/threestation/EngineDelays.h"
#include "core/threestation/Kv3File.h"
#include "core/threestation/ThreeStationSetup.h"
#include "sim/InProcessKit.h"
#include "sim/scenario/ThreeStationScenario.h"

namespace korvanta::cli {

namespace {

constexpr int64_t kRunTimeoutMs = 60000;
constexpr int64_t kRunTimeoutPerPairMs = 10000;

// "RB:BY": red-blue and blue-yellow in metres, each as the setup wizard takes it.
std::pair<float, float> ParseDistances(const std::string& text)
{
    const auto [redBlue, blueYellow] = SplitPair(text, "--distances");
    const auto first = ParseDistanceEntry(redBlue, UnitSystem::Metric);
    const auto second = ParseDistanceEntry(blueYellow, UnitSystem::Metric);
    if (!first || !second) {
        throw UsageError("--distances " + text + ": give RED_BLUE:BLUE_YELLOW, each 1..2000 metres");
    }
    return {*first, *second};
}

// A material by its number or its name in the database; none by "none" or when not given.
int FindMaterial(const CKorvantaDoc& doc, const std::optional<std::string>& text)
{
    if (!text || *text == "none") {
        return ThreeStationSetup::kNoMaterial;
    }
    char* end = nullptr;
    const long index = std::strtol(text->c_str(), &end, 10);
    const int count = doc.Materials().MaterialCount();
    if (!text->empty() && *end == '\0') {
        if (index < 0 || index >= count) {
            throw UsageError("--material " + *text + ": no such material");
        }
        return static_cast<int>(index);
    }
    for (int i = 0; i < count; ++i) {
        if (doc.Pipe().MaterialName(i) == *text) {
            return i;
        }
    }
    throw UsageError("--material '" + *text + "': no such material");
}

}  // namespace

int RunMeasure3(const std::vector<std::string>& args)
{
    const CommandLine options(args, {"port", "distances", "pairs", "material", "out", "log"}, {"fast"});
    if (!options.Positional().empty()) {
        throw UsageError("unexpected argument '" + options.Positional()[0] + "'");
    }
    const auto port = options.Value("port");
    if (!port || port->empty()) {
        throw UsageError("--port PORT is required");
    }
    const auto distancesText = options.Value("distances");
    if (!distancesText) {
        throw UsageError("--distances RED_BLUE:BLUE_YELLOW is required");
    }
    const auto [redBlue, blueYellow] = ParseDistances(*distancesText);
    const bool simulated = *port == sim::InProcessKit::kTransportName;
    if (!simulated && options.Has("fast")) {
        throw UsageError("--fast runs the simulated kit unpaced: use it with --port SIM");
    }
    const auto pairs = static_cast<uint32_t>(options.Integer("pairs", 20, 1, 100000));
    // A measurement takes minutes: find out now, not after it, that its file cannot be written.
    const MeasurementOutput output("measure3", options.Value("out"), kKv3FileBytes, ".kv3");
    output.CheckBeforeMeasuring();

    HeadlessDocument host;
    SteadyClock& clock = host.clock;
    TextMessageSink& messages = host.messages;
    CLinkState& link = host.link;
    auto& doc = host.document;
    const int material = FindMaterial(*doc, options.Value("material"));

    // The setup wizard's work, from the options.
    ThreeStationSetup setup;
    setup.SetRedBlue(redBlue);
    setup.SetBlueYellow(blueYellow);
    setup.Finish(doc->Materials(), material, setup.DefaultCutoffs(doc->Materials(), material));
    doc->EnterThreeStationMode();
    doc->ThreeStationRun().Setup(setup.Ranges(), setup.Cutoffs().low, setup.Cutoffs().high);
    CThreeStationResult result(setup);

    std::unique_ptr<sim::InProcessKit> kit;
    if (simulated) {
        sim::KitOptions kitOptions;
        std::string error;
        if (!sim::ProgramThreeStationKitOptions(kitOptions, redBlue, blueYellow, error)) {
            throw UsageError("the simulated kit's scenario: " + error);
        }
        if (options.Has("fast")) {
            kitOptions.paced = false;
        }
        kit = sim::RegisterSimTransport(kitOptions, nullptr, &error);
        if (!kit) {
            throw UsageError("the simulated kit cannot run: " + error);
        }
    }

    LinkSession session(link, clock, options.Value("log"));
    if (!session.Open(*port, "measure3")) {
        output.Save(0, {});
        return LinkSession::EarlyEndStatus();
    }

    MeasurementRunner runner(*doc, link, session.Notices(), messages, clock);
    MeasurementRunner::Options runOptions;
    runOptions.threeStation = true;
    runOptions.pairs = pairs;
    runOptions.timeoutMs = kRunTimeoutMs + kRunTimeoutPerPairMs * static_cast<int64_t>(pairs);
    runOptions.interrupted = LinkSession::Interrupted;
    const MeasurementRunner::Outcome outcome = runner.Run(runOptions);
    if (outcome == MeasurementRunner::Outcome::StartFailed) {
        std::cerr << "korvanta-cli measure3: the stations did not start sampling\n";
        output.Save(0, {});
        return LinkSession::EarlyEndStatus();
    }
    if (outcome == MeasurementRunner::Outcome::Ended) {
        messages.ShowMessage(str::kMeasurementStopped, kStyleExclamation);
    } else if (outcome == MeasurementRunner::Outcome::TimedOut) {
        std::cerr << "korvanta-cli measure3: no more blocks arrived in time\n";
    } else if (outcome == MeasurementRunner::Outcome::Interrupted) {
        std::cerr << "korvanta-cli measure3: interrupted after " << runner.PairsDone(true) << " of " << pairs
                  << " pairs\n";
    }
    ComputeFromEngines(doc->ThreeStation(), result);

    int status = outcome == MeasurementRunner::Outcome::Complete ? 0 : 1;
    uint64_t measured = 0;
    for (int i = 0; i < kThreeStationPairs; ++i) {
        measured += doc->ThreeStation().Record(i).pairTotal;
    }
    const MeasurementOutput::Saved saved = output.Save(measured, [&](const auto& path, std::string& error) {
        if (WriteKv3File(path, doc->ThreeStation(), result, error)) {
            return true;
        }
        messages.ShowMessage(str::kFileSaveError, kStyleStop);
        return false;
    });
    if (saved != MeasurementOutput::Saved::NotAsked && saved != MeasurementOutput::Saved::AtOut) {
        status = 1;
    }
    std::cout << ThreeStationJson(*doc, result) << "\n";
    return outcome == MeasurementRunner::Outcome::Interrupted ? InterruptSignal::ExitStatus(InterruptSignal::Received())
                                                              : status;
}

}  // namespace korvanta::cli
