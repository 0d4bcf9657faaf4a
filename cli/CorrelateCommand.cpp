#include <array>
#include <iostream>
#include <memory>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/OptionLimits.h"
#include "cli/VerdictJson.h"
#include "core/correlation/CoherenceBand.h"
#include "core/correlation/BlockReplay.h"
#include "core/correlation/CCorrelator.h"
#include "core/correlation/DataBlockFile.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta::cli {

namespace {

constexpr uint32_t kTraceWidth = 620;
constexpr uint32_t kTraceHeight = 180;
constexpr uint32_t kSpectrumWidth = 504;
constexpr uint32_t kSpectrumHeight = 155;

void ApplyFilterOptions(const CommandLine& options, FilterSettings& filters)
{
    if (auto low = options.Value("low"))
        filters.lowCutoff = FrequencyOption(*low, "--low");
    if (auto high = options.Value("high"))
        filters.highCutoff = FrequencyOption(*high, "--high");
    const auto notches = options.Values("notch");
    if (notches.size() > kNotchCount) {
        throw UsageError("--notch: at most 5 notch filters");
    }
    for (size_t i = 0; i < notches.size(); ++i) {
        const auto [low, high] = SplitPair(notches[i], "--notch");
        filters.notches[i].low = FrequencyOption(low, "--notch");
        filters.notches[i].high = FrequencyOption(high, "--notch");
    }
    filters.automatic = options.Has("auto") ? 1 : 0;
}

}  // namespace

int RunCorrelate(const std::vector<std::string>& args)
{
    const CommandLine options(args, {"range", "pair", "low", "high", "notch", "blank", "zoom", "filter"}, {"auto"});
    if (options.Positional().size() != 1) {
        throw UsageError("correlate needs exactly one BLOCKS file");
    }
    const bool coherenceBand = FilterChoice(options);
    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    record->range = static_cast<uint32_t>(options.Integer("range", 0, 0, 2));
    record->pairCode = PairCodeOption(options, 6);
    ApplyFilterOptions(options, record->filters);

    std::optional<std::pair<uint32_t, uint32_t>> blank;
    if (auto text = options.Value("blank")) {
        const auto [a, b] = SplitPair(*text, "--blank");
        blank = {static_cast<uint32_t>(ParseInteger(a, "--blank", 0, kTraceWidth)),
                 static_cast<uint32_t>(ParseInteger(b, "--blank", 0, kTraceWidth))};
    }
    std::optional<std::pair<uint32_t, uint32_t>> zoom;
    if (auto text = options.Value("zoom")) {
        const auto [column, factor] = SplitPair(*text, "--zoom");
        zoom = {static_cast<uint32_t>(ParseInteger(column, "--zoom", 0, kTraceWidth)),
                static_cast<uint32_t>(ParseInteger(factor, "--zoom", 0, 1 << 20))};
    }

    std::array<int32_t, kTraceWidth> trace{};
    std::array<int32_t, kSpectrumWidth> spectrumA{};
    std::array<int32_t, kSpectrumWidth> spectrumB{};
    auto engine = std::make_unique<CCorrelator>();
    engine->Init(trace, spectrumA, spectrumB, kTraceWidth, kTraceHeight, kSpectrumWidth, kSpectrumHeight);
    engine->SetRecord(record.get());
    engine->SetPairCode(static_cast<int32_t>(record->pairCode));
    // The blocks go through the engine as they are read; the result on show is the last
    // correlation that produced a trace.
    BlockReplay replay(*engine);
    std::string error;
    if (!StreamDataBlockFile(
            options.Positional()[0], [&replay](const DataBlockRecord& block) { replay.Feed(block); }, error)) {
        std::cerr << "korvanta-cli: " << error << "\n";
        return 2;
    }
    bool result = replay.Finish() && engine->HasSignal();

    // After a zoom the tool reports the factor now in force; the column the chosen point moved
    // to is what the view uses for its cursor.
    std::optional<uint32_t> zoomResult;
    // The band the coherence proposes replaces the filters given, before blanking or zoom.
    bool proposed = false;
    if (coherenceBand) {
        if (const auto band = ProposeCoherenceBand(engine->Coherence())) {
            record->filters = *band;
            result = engine->RestoreFromRecord();
            proposed = true;
        }
    }
    if (blank) {
        engine->SetBlanking(blank->first, blank->second);
        result = engine->RestoreFromRecord();
    } else if (zoom) {
        uint32_t column = zoom->first;
        zoomResult = engine->SetZoom(column, zoom->second);
        result = engine->RestoreFromRecord();
    }

    JsonWriter json;
    json.Add("pairs", static_cast<long long>(record->pairTotal));
    json.Add("result", result);
    json.Add("delay", static_cast<double>(engine->GetDelay()));
    json.Add("quality", static_cast<long long>(engine->GetQuality()));
    json.Add("trace", std::span<const int32_t>(trace));
    json.Add("spectrum_a", std::span<const int32_t>(spectrumA));
    json.Add("spectrum_b", std::span<const int32_t>(spectrumB));
    if (zoomResult) {
        json.Add("column", static_cast<long long>(*zoomResult));
    } else {
        json.AddNull("column");
    }
    if (coherenceBand) {
        json.Add("filter_proposed", proposed);
        json.AddRaw("filters", FilterJson(record->filters));
    }
    // Without a pipe the verdict judges the peak alone: nothing lies outside and no interval.
    if (result) {
        AddVerdict(json, BuildLeakResultReport(*engine, record->pipe, nullptr));
    } else {
        AddNoVerdict(json);
    }
    std::cout << json.Finish() << "\n";
    return 0;
}

}  // namespace korvanta::cli
