#include "cli/ThreeStationReport.h"

#include <cstring>

#include "cli/JsonWriter.h"
#include "cli/VerdictJson.h"
#include "core/text/StringTable.h"
#include "core/threestation/PairVerdict.h"

namespace korvanta::cli {

namespace {

constexpr const char* kPairNames[kThreeStationPairs] = {"red/blue", "blue/yellow", "red/yellow"};

std::string PairJson(const CKorvantaDoc& doc, const CThreeStationResult& result, int index)
{
    const ThreeStationMeasurement& three = doc.ThreeStation();
    const MeasurementRecord& record = three.Record(index);
    const CCorrelator& engine = three.Engine(index);
    const ThreeStationPair& pair = result.Pair(index);
    JsonWriter json;
    json.Add("pair", static_cast<long long>(kThreeStationPairCodes[static_cast<size_t>(index)]));
    json.Add("name", std::string(kPairNames[index]));
    json.Add("distance", static_cast<double>(pair.distance));
    json.Add("range", static_cast<long long>(record.range));
    json.Add("low", static_cast<double>(record.filters.lowCutoff));
    json.Add("high", static_cast<double>(record.filters.highCutoff));
    json.Add("block_pairs", static_cast<long long>(record.pairTotal));
    json.Add("result", engine.IsResultReady());
    json.Add("delay", static_cast<double>(pair.delay));
    json.Add("quality", static_cast<long long>(engine.GetQuality()));
    if (engine.IsResultReady() && engine.HasSignal()) {
        AddVerdict(json, PairReport(engine, result, index));
    } else {
        AddNoVerdict(json);
    }
    return json.Finish();
}

std::string DistancesJson(const char* first, const char* second, const PairDistances& distances)
{
    JsonWriter json;
    json.Add(first, static_cast<double>(distances.fromFirst));
    json.Add(second, static_cast<double>(distances.fromSecond));
    return json.Finish();
}

}  // namespace

std::string ThreeStationJson(const CKorvantaDoc& doc, const CThreeStationResult& result)
{
    JsonWriter json;
    std::string pairs = "[";
    for (int i = 0; i < kThreeStationPairs; ++i) {
        pairs += (i > 0 ? ", " : "") + PairJson(doc, result, i);
    }
    json.AddRaw("pairs", pairs + "]");
    json.Add("measuring_time", std::string(doc.ThreeStation().Record(0).measuringTime,
                                           ::strnlen(doc.ThreeStation().Record(0).measuringTime, 8)));
    if (result.IsComputable()) {
        json.Add("velocity", static_cast<double>(result.Velocity()));
    } else {
        json.AddNull("velocity");
    }
    json.Add("valid", result.IsValid());
    if (result.IsValid()) {
        json.Add("segment", static_cast<long long>(result.Segment()));
        JsonWriter leak;
        leak.AddRaw("red_yellow", DistancesJson("from_red", "from_yellow", result.RedYellow()));
        leak.AddRaw("red_blue", DistancesJson("from_red", "from_blue", result.RedBlue()));
        leak.AddRaw("blue_yellow", DistancesJson("from_blue", "from_yellow", result.BlueYellow()));
        json.AddRaw("leak", leak.Finish());
    } else {
        json.AddNull("segment");
        json.AddNull("leak");
    }
    json.Add("lower_velocity_bound", static_cast<double>(result.LowerVelocityBound()));
    json.Add("upper_velocity_bound", static_cast<double>(result.UpperVelocityBound()));
    json.Add("mean_velocity", static_cast<double>(result.MeanVelocity()));
    const uint32_t note = result.PlausibilityNote();
    if (note != 0) {
        json.Add("note", std::string(LoadString(note)));
    } else {
        json.AddNull("note");
    }
    return json.Finish();
}

std::filesystem::path ProgramDataFolder()
{
    std::error_code error;
    const auto self = std::filesystem::canonical("/proc/self/exe", error);
    return error ? std::filesystem::path(".") : self.parent_path();
}

}  // namespace korvanta::cli
