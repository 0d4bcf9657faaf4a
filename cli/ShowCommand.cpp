#include <iostream>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/LeakPositionJson.h"
#include "cli/LoadedMeasurement.h"
#include "cli/VerdictJson.h"
#include "core/correlation/CoherenceBand.h"
#include "core/document/CKorvantaDoc.h"
#include "core/pipe/LeakPosition.h"

namespace korvanta::cli {

namespace {

std::string SectionsJson(const CKorvantaDoc& doc)
{
    std::string json = "[";
    for (int i = 0; i < doc.Pipe().SectionCount(); ++i) {
        SectionInfo info;
        doc.Pipe().Section(i, info);
        JsonWriter section;
        section.Add("material", static_cast<long long>(doc.Pipe().SectionMaterial(i)));
        section.Add("material_name", info.materialName);
        section.Add("length", static_cast<double>(info.length));
        section.Add("diameter", static_cast<double>(info.diameter));
        section.Add("velocity", static_cast<double>(info.velocity));
        json += (i > 0 ? ", " : "") + section.Finish();
    }
    return json + "]";
}

std::string FiltersJson(const CKorvantaDoc& doc)
{
    JsonWriter filters;
    filters.Add("low", static_cast<double>(doc.Filters().LowCutoff()));
    filters.Add("high", static_cast<double>(doc.Filters().HighCutoff()));
    std::string notches = "[";
    for (int k = 0; k < kNotchCount; ++k) {
        notches += (k > 0 ? ", [" : "[") + JsonWriter::Number(doc.Filters().NotchLow(k)) + ", " +
                   JsonWriter::Number(doc.Filters().NotchHigh(k)) + "]";
    }
    filters.AddRaw("notches", notches + "]");
    filters.Add("automatic", doc.Filters().Automatic());
    return filters.Finish();
}

}  // namespace

int RunShow(const std::vector<std::string>& args)
{
    const CommandLine options(args, {"filter"}, {"coherence"});
    if (options.Positional().size() != 1) {
        throw UsageError("show needs exactly one FILE.kvd");
    }
    const bool coherenceBand = FilterChoice(options);
    LoadedMeasurement measurement;
    if (!measurement.Open(options.Positional()[0], "show")) {
        return 2;
    }
    CKorvantaDoc* doc = &measurement.Doc();
    if (options.Has("coherence")) {
        doc->Recompute();
        std::cout << CoherenceJson(doc->Engine().Coherence()) << "\n";
        return 0;
    }
    // The filter the coherence proposes replaces the stored one for this showing.
    bool proposed = false;
    if (coherenceBand) {
        doc->Recompute();
        if (const auto band = ProposeCoherenceBand(doc->Engine().Coherence())) {
            doc->Edit().StoreFilterSettings(*band);
            proposed = true;
        }
    }

    const FileInformation info = doc->GetFileInformation();
    const auto comments = doc->CommentLines();
    JsonWriter json;
    json.Add("title", info.title);
    json.Add("date", info.date);
    json.Add("time", info.time);
    json.AddRaw("comments", "[" + JsonWriter::Quote(comments[0]) + ", " + JsonWriter::Quote(comments[1]) + ", " +
                                JsonWriter::Quote(comments[2]) + "]");
    json.Add("user_information", info.userInformation);
    json.Add("measuring_time", doc->MeasuringTime());
    json.AddRaw("sections", SectionsJson(*doc));
    json.Add("total_length", static_cast<double>(doc->Pipe().TotalLength()));
    json.AddRaw("filters", FiltersJson(*doc));
    if (coherenceBand) {
        json.Add("filter_proposed", proposed);
    }
    json.Add("range", static_cast<long long>(doc->CorrelationRange()));
    json.Add("pair", static_cast<long long>(doc->SensorPairCode()));
    json.Add("pairs", static_cast<long long>(doc->PairTotal()));

    const bool result = doc->Recompute();
    json.Add("result", result);
    if (result) {
        const float delay = doc->GetDelay();
        json.Add("delay", static_cast<double>(delay));
        json.Add("quality", static_cast<long long>(doc->GetQuality()));
        AddLeakPosition(json, *doc, delay);
        AddVerdict(json, BuildLeakResultReport(doc->Engine(), doc->Record().pipe, &doc->Materials()));
    } else {
        json.AddNull("delay");
        json.AddNull("quality");
        AddLeakPosition(json, *doc, std::nullopt);
        AddNoVerdict(json);
    }
    std::cout << json.Finish() << "\n";
    return 0;
}

}  // namespace korvanta::cli
