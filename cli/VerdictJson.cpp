#include "cli/VerdictJson.h"

#include <string>

#include "cli/CommandLine.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta::cli {

namespace {

const char* DoubtKey(ResultDoubt doubt)
{
    switch (doubt) {
    case ResultDoubt::Weak:
        return "weak";
    case ResultDoubt::Ambiguous:
        return "ambiguous";
    case ResultDoubt::Outside:
        return "outside";
    case ResultDoubt::ZeroDelay:
        return "zero_delay";
    }
    return "weak";
}

std::string CandidatesJson(const LeakResultReport& report)
{
    std::string json = "[";
    for (const CandidatePlace& place : report.candidates) {
        JsonWriter candidate;
        candidate.Add("delay", static_cast<double>(place.delay));
        if (place.position) {
            candidate.Add("from_start", static_cast<double>(place.position->fromStart));
            candidate.Add("from_end", static_cast<double>(place.position->fromEnd));
        } else {
            candidate.AddNull("from_start");
            candidate.AddNull("from_end");
        }
        candidate.Add("relative", static_cast<double>(place.relative));
        json += (json.size() > 1 ? ", " : "") + candidate.Finish();
    }
    return json + "]";
}

}  // namespace

bool FilterChoice(const CommandLine& options)
{
    const auto value = options.Value("filter");
    if (!value || *value == "standard") {
        return false;
    }
    if (*value == "coherence") {
        return true;
    }
    throw UsageError("--filter " + *value + ": give standard or coherence");
}

void AddVerdict(JsonWriter& json, const LeakResultReport& report)
{
    json.Add("reliable", report.verdict.reliable);
    std::string reasons = "[", messages = "[";
    for (size_t i = 0; i < report.verdict.reasons.size(); ++i) {
        reasons += (i > 0 ? ", " : "") + JsonWriter::Quote(DoubtKey(report.verdict.reasons[i]));
        messages += (i > 0 ? ", " : "") + JsonWriter::Quote(report.reasonTexts[i]);
    }
    json.AddRaw("reasons", reasons + "]");
    json.AddRaw("messages", messages + "]");
    json.AddRaw("candidates", CandidatesJson(report));
    if (report.interval) {
        json.AddRaw("interval_m", "[" + JsonWriter::Number(report.interval->low) + ", " +
                                      JsonWriter::Number(report.interval->high) + "]");
    } else {
        json.AddNull("interval_m");
    }
    json.Add("delay_sigma", report.verdict.delaySigma);
}

void AddNoVerdict(JsonWriter& json)
{
    json.Add("reliable", false);
    json.AddRaw("reasons", "[\"weak\"]");
    json.AddRaw("messages", "[" + JsonWriter::Quote(LoadString(str::kVerdictWeak)) + "]");
    json.AddRaw("candidates", "[]");
    json.AddNull("interval_m");
    json.AddNull("delay_sigma");
}

std::string CoherenceJson(const CoherenceSpectrum& coherence)
{
    if (!coherence.IsKnown()) {
        return "null";
    }
    std::string bins = "[", hertz = "[", values = "[";
    for (int k = 1; k < kSpectrumBins; ++k) {
        const std::string comma = k > 1 ? ", " : "";
        bins += comma + std::to_string(k);
        hertz += comma + JsonWriter::Number(BinFrequency(k));
        values += comma + JsonWriter::Number(coherence.values[static_cast<size_t>(k)]);
    }
    JsonWriter json;
    json.Add("pairs", static_cast<long long>(coherence.pairs));
    json.AddRaw("bins", bins + "]");
    json.AddRaw("frequency_hz", hertz + "]");
    json.AddRaw("coherence", values + "]");
    return json.Finish();
}

std::string FilterJson(const FilterSettings& filters)
{
    JsonWriter json;
    json.Add("low", static_cast<double>(filters.lowCutoff));
    json.Add("high", static_cast<double>(filters.highCutoff));
    std::string notches = "[";
    for (int k = 0; k < kNotchCount; ++k) {
        notches += (k > 0 ? ", [" : "[") + JsonWriter::Number(filters.notches[k].low) + ", " +
                   JsonWriter::Number(filters.notches[k].high) + "]";
    }
    json.AddRaw("notches", notches + "]");
    json.Add("automatic", filters.automatic == 1);
    return json.Finish();
}

}  // namespace korvanta::cli
