#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/OptionLimits.h"
#include "core/app/DataFolder.h"
#include "core/correlation/DataBlockFile.h"
#include "cli/LeakPositionJson.h"
#include "cli/LinkSession.h"
#include "cli/MeasurementOutput.h"
#include "cli/VerdictJson.h"
#include "core/document/CKorvantaDoc.h"
#include "core/document/KvdFile.h"
#include "core/document/LeakTravelTimes.h"
#include "core/document/MeasurementRunner.h"
#include "core/document/TextMessageSink.h"
#include "core/fileio/AtomicFileWriter.h"
#include "core/link/SteadyClock.h"
#include "core/pipe/Pipe.h"
#include "core/text/StringIds.h"
#include "core/platform/ProgramFolder.h"
#include "sim/InProcessKit.h"
#include "sim/LeakNoiseGenerator.h"
#include "sim/scenario/ScenarioKitOptions.h"

namespace korvanta::cli {

namespace {

constexpr int64_t kRunTimeoutMs = 60000;
constexpr int64_t kRunTimeoutPerPairMs = 10000;
constexpr double kKitVelocity = 1000.0;
constexpr float kDefaultDiameter = 100.0f;

struct SectionText {
    float length = 0.0f;
    float velocity = 0.0f;
    float diameter = kDefaultDiameter;
    std::string material = "0";
};

// "LENGTH:VELOCITY[:DIAMETER[:MATERIAL]]"
SectionText ParseSection(const std::string& text)
{
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;) {
        const size_t colon = text.find(':', from);
        parts.push_back(text.substr(from, colon - from));
        if (colon == std::string::npos)
            break;
        from = colon + 1;
    }
    if (parts.size() < 2) {
        throw UsageError("--section " + text + ": give LENGTH:VELOCITY[:DIAMETER[:MATERIAL]]");
    }
    SectionText section;
    section.length = static_cast<float>(ParseNumber(parts[0], "--section length", 0.0, kMaxSectionLengthM));
    section.velocity = static_cast<float>(ParseNumber(parts[1], "--section velocity", 1.0, kMaxVelocityMps));
    if (parts.size() > 2 && !parts[2].empty()) {
        section.diameter = static_cast<float>(ParseNumber(parts[2], "--section diameter", 0.0, kMaxDiameterMm));
    }
    if (parts.size() > 3) {
        // A material name may itself hold colons.
        section.material = text.substr(parts[0].size() + parts[1].size() + parts[2].size() + 3);
    }
    if (!(section.length > 0.0f) || !(section.velocity >= 1.0f) || !(section.diameter >= 0.0f)) {
        throw UsageError("--section " + text + ": length must be > 0, velocity >= 1 and diameter >= 0");
    }
    return section;
}

// A material by its number or its name in the database.
int16_t FindMaterial(const CKorvantaDoc& doc, const std::string& text)
{
    char* end = nullptr;
    const long index = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && *end == '\0') {
        if (index < 0 || index >= doc.Materials().MaterialCount()) {
            throw UsageError("--section material " + text + ": no such material");
        }
        return static_cast<int16_t>(index);
    }
    for (int i = 0; i < doc.Materials().MaterialCount(); ++i) {
        if (doc.Pipe().MaterialName(i) == text) {
            return static_cast<int16_t>(i);
        }
    }
    throw UsageError("--section material '" + text + "': no such material");
}

// Puts the pair's two sensors and the leak on the kit's straight pipe of one velocity so that
// the leak's noise takes as long to each sensor as it does along the sections. The kit keeps red
// at 0 and blue at the pipe's far end with the leak between them.
sim::PipeLayout KitLayout(int pairCode, const LeakTravelTimes& times)
{
    sim::PipeLayout layout;
    const double span = (times.toStart + times.toEnd) * kKitVelocity;
    layout.velocity = kKitVelocity;
    layout.lengthMetres = span;
    const bool blueFirst = pairCode == 12 || pairCode == 5;
    layout.leakMetres = (blueFirst ? times.toEnd : times.toStart) * kKitVelocity;
    const double secondAt = blueFirst ? 0.0 : span;
    if (pairCode & 8) {
        layout.yellowMetres = pairCode == 9 ? 0.0 : secondAt;  // yellow is sensor 1 only with the interface unit
    }
    if (pairCode & 1) {
        layout.interfaceMetres = secondAt;
    }
    return layout;
}

// --low, --high and --auto, checked before anything is opened.
struct FilterOptions {
    std::optional<float> low;
    std::optional<float> high;
    bool automatic = false;
};

FilterOptions ParseFilterOptions(const CommandLine& options)
{
    FilterOptions filters;
    if (auto low = options.Value("low"))
        filters.low = FrequencyOption(*low, "--low");
    if (auto high = options.Value("high"))
        filters.high = FrequencyOption(*high, "--high");
    filters.automatic = options.Has("auto");
    CheckBand(filters.low.value_or(0.0f), filters.high.value_or(0.0f), "--low/--high");
    return filters;
}

void ApplyFilterOptions(const FilterOptions& chosen, CKorvantaDoc& doc)
{
    if (!chosen.low && !chosen.high && !chosen.automatic) {
        return;
    }
    FilterSettings filters = doc.Record().filters;
    if (chosen.low)
        filters.lowCutoff = *chosen.low;
    if (chosen.high)
        filters.highCutoff = *chosen.high;
    if (chosen.automatic)
        filters.automatic = 1;
    doc.Edit().StoreFilterSettings(filters);
}

// Without a pipe the document asks for the correlation range; the tool answers with --range.
class RangeFromOptions final : public IMeasurementSetup {
public:
    RangeFromOptions(CKorvantaDoc*& doc, uint32_t range) : doc_(doc), range_(range) {}
    bool RunMeasurementSetup() override
    {
        doc_->Edit().MeasurementSetupClosed(range_);
        return true;
    }

private:
    CKorvantaDoc*& doc_;
    uint32_t range_;
};

std::string ResultJson(CKorvantaDoc& doc, bool complete)
{
    const bool result = doc.IsResultValid() && doc.Recompute();
    JsonWriter json;
    json.Add("pairs", static_cast<long long>(doc.PairTotal()));
    json.Add("result", result);
    json.Add("delay", static_cast<double>(doc.GetDelay()));
    json.Add("quality", static_cast<long long>(doc.GetQuality()));
    json.Add("trace", doc.TraceBuffer());
    json.Add("spectrum_a", doc.SpectrumBuffer(0).first(kSpectrumWidth));
    json.Add("spectrum_b", doc.SpectrumBuffer(1).first(kSpectrumWidth));
    json.AddNull("column");
    AddLeakPosition(json, doc, result ? std::optional<float>(doc.GetDelay()) : std::nullopt);
    if (result) {
        AddVerdict(json, BuildLeakResultReport(doc.Engine(), doc.Record().pipe, &doc.Materials()));
    } else {
        AddNoVerdict(json);
    }
    json.Add("complete", complete);
    return json.Finish();
}

}  // namespace

int RunMeasure(const std::vector<std::string>& args)
{
    const CommandLine options(args,
                              {"port", "pairs", "range", "pair", "section", "low", "high", "out", "leak", "snr", "log"},
                              {"auto", "fast"});
    if (!options.Positional().empty()) {
        throw UsageError("unexpected argument '" + options.Positional()[0] + "'");
    }
    const auto port = options.Value("port");
    if (!port || port->empty()) {
        throw UsageError("--port PORT is required");
    }
    const bool simulated = *port == sim::InProcessKit::kTransportName;
    if (!simulated && (options.Has("leak") || options.Has("snr") || options.Has("fast"))) {
        throw UsageError("--leak, --snr and --fast place the leak of the simulated kit: use them with --port SIM");
    }
    const auto pairs = static_cast<uint32_t>(options.Integer("pairs", 20, 1, kMaxMeasurementPairs));
    const int pairCode = static_cast<int>(PairCodeOption(options, 6));
    const std::vector<std::string> sectionTexts = options.Values("section");
    if (sectionTexts.size() > static_cast<size_t>(kMaxPipeSections)) {
        throw UsageError("at most 10 --section");
    }
    std::vector<SectionText> sections;
    for (const std::string& text : sectionTexts) {
        sections.push_back(ParseSection(text));
    }
    const FilterOptions filterOptions = ParseFilterOptions(options);
    const auto range = static_cast<uint32_t>(options.Integer("range", 0, 0, 2));
    // A measurement takes minutes: find out now, not after it, that its file cannot be written.
    const MeasurementOutput output("measure", options.Value("out"), kKvdFileBytes, ".kvd");
    output.CheckBeforeMeasuring();

    SteadyClock clock;
    TextMessageSink messages(std::cerr);
    InMemorySettings settings;
    CLinkState link;
    CKorvantaDoc* docForSetup = nullptr;
    RangeFromOptions setup(docForSetup, range);
    DocumentContext context;
    context.link = &link;
    context.clock = &clock;
    context.messages = &messages;
    context.settings = &settings;
    context.setup = &setup;
    context.dataFolder = DataFolder::Resolve(DataFolder::ProgramFolder(), DataFolder::UserFolder());
    auto doc = std::make_unique<CKorvantaDoc>(context);
    docForSetup = doc.get();

    PipeSections pipe{};
    for (size_t i = 0; i < sections.size(); ++i) {
        pipe[i].materialIndex = FindMaterial(*doc, sections[i].material);
        pipe[i].length = sections[i].length;
        pipe[i].velocity = sections[i].velocity;
        pipe[i].diameter = sections[i].diameter;
        pipe[i].inUse = 1;
    }

    std::unique_ptr<sim::InProcessKit> kit;
    if (simulated) {
        // --leak (or --snr) places a leak on a simple pipe of the given sections; otherwise the kit
        // hears the scenario named by KORVANTA_SIM_SCENARIO, or its realistic default.
        sim::KitOptions kitOptions;
        const bool placed = options.Has("leak") || options.Has("snr");
        if (placed) {
            kitOptions.paced = !options.Has("fast");
            if (!sections.empty()) {
                const double leak = options.Number("leak", 0.5 * GetTotalLength(pipe));
                const auto times = TravelTimesToLeak(pipe, leak);
                if (!times) {
                    throw UsageError("--leak must lie on the pipe the sections describe");
                }
                kitOptions.pipe = KitLayout(pairCode, *times);
            } else if (options.Has("leak")) {
                kitOptions.pipe.leakMetres = options.Number("leak", 0.0, 0.0, kMaxSectionLengthM);
            }
            for (sim::UnitSettings& unit : kitOptions.units) {
                unit.snrDb = options.Number("snr", unit.snrDb, sim::LeakNoiseGenerator::kMinSnrDb,
                                            sim::LeakNoiseGenerator::kMaxSnrDb);
            }
            kitOptions.units[sim::kInterfaceUnit].sensor = (pairCode & 1) != 0;
        } else {
            std::string error;
            if (!sim::ProgramKitOptions(kitOptions, error)) {
                throw UsageError("the simulated kit's scenario: " + error);
            }
            if (options.Has("fast")) {
                kitOptions.paced = false;
            }
        }
        std::string error;
        kit = sim::RegisterSimTransport(kitOptions, nullptr, &error);
        if (!kit) {
            throw UsageError("the simulated kit cannot run: " + error);
        }
    }

    LinkSession session(link, clock, options.Value("log"));
    if (!session.Open(*port, "measure")) {
        output.Save(0, {});
        return LinkSession::EarlyEndStatus();
    }

    doc->Edit().ApplySensorCombination(pairCode);
    if (!sections.empty()) {
        doc->Edit().ApplyPipeData(pipe);
    }
    if (options.Has("range")) {
        doc->Edit().SetCorrelationRange(range);
    }
    ApplyFilterOptions(filterOptions, *doc);

    MeasurementRunner runner(*doc, link, session.Notices(), messages, clock);
    MeasurementRunner::Options runOptions;
    runOptions.pairs = pairs;
    runOptions.timeoutMs = kRunTimeoutMs + kRunTimeoutPerPairMs * static_cast<int64_t>(pairs);
    runOptions.interrupted = LinkSession::Interrupted;
    const MeasurementRunner::Outcome outcome = runner.Run(runOptions);
    if (outcome == MeasurementRunner::Outcome::StartFailed) {
        // The comms thread has shown the interface unit's reason when it gave one.
        std::cerr << "korvanta-cli measure: the stations did not start sampling\n";
        output.Save(0, {});
        return LinkSession::EarlyEndStatus();
    }
    // An early end was shown by the runner, naming the unit and the cause where it can.
    if (outcome == MeasurementRunner::Outcome::TimedOut) {
        std::cerr << "korvanta-cli measure: no more blocks arrived in time\n";
    } else if (outcome == MeasurementRunner::Outcome::Interrupted) {
        std::cerr << "korvanta-cli measure: interrupted after " << doc->PairTotal() << " of " << pairs
                  << " pairs\n";
    }

    int status = outcome == MeasurementRunner::Outcome::Complete ? 0 : 1;
    const MeasurementOutput::Saved saved = output.Save(doc->PairTotal(), [&](const auto& path, std::string& reason) {
        return doc->Save(path, &reason);
    });
    if (saved != MeasurementOutput::Saved::NotAsked && saved != MeasurementOutput::Saved::AtOut) {
        status = 1;
    }
    std::cout << ResultJson(*doc, outcome == MeasurementRunner::Outcome::Complete) << "\n";
    return outcome == MeasurementRunner::Outcome::Interrupted ? InterruptSignal::ExitStatus(InterruptSignal::Received())
                                                              : status;
}

}  // namespace korvanta::cli
