#include <cmath>
#include <iostream>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "core/text/Cp1252.h"
#include "core/text/StringTable.h"
#include "core/velocity/KvrFile.h"

namespace korvanta::cli {

namespace {

std::string PointsJson(const CRegressionData& data)
{
    std::string json = "[";
    for (size_t i = 0; i < data.Count(); ++i) {
        const RegressionPoint& point = data.Point(i);
        JsonWriter entry;
        entry.Add("name", ReadFixedField(point.name));
        entry.Add("delay", static_cast<double>(point.delay));
        entry.Add("length", static_cast<double>(point.length));
        entry.Add("included", point.included == 1);
        entry.Add("range", static_cast<long long>(point.range));
        json += (i > 0 ? ", " : "") + entry.Finish();
    }
    return json + "]";
}

}  // namespace

int RunRegress(const std::vector<std::string>& args)
{
    const CommandLine options(args, {});
    if (options.Positional().size() != 1) {
        throw UsageError("regress needs exactly one FILE.kvr");
    }
    CRegressionData data;
    std::string reason;
    if (const auto message = ReadKvrFile(options.Positional()[0], data, nullptr, &reason)) {
        std::cerr << "korvanta-cli regress: " << options.Positional()[0] << ": " << LoadString(*message) << " ("
                  << reason << ")\n";
        return 2;
    }
    const RegressionFit& fit = data.Fit();
    const ReferenceSection& reference = data.Reference();
    JsonWriter pipe;
    pipe.Add("material", static_cast<long long>(reference.materialIndex));
    pipe.Add("length", static_cast<double>(reference.length));
    pipe.Add("diameter", static_cast<double>(reference.diameter));
    pipe.Add("velocity", static_cast<double>(reference.velocity));
    JsonWriter json;
    json.Add("static_sensor", static_cast<long long>(data.StaticSensor()));
    json.AddRaw("reference", pipe.Finish());
    json.AddRaw("points", PointsJson(data));
    json.Add("included", static_cast<long long>(fit.included));
    if (fit.HasLine()) {
        json.Add("slope", static_cast<double>(fit.slope));
        json.Add("intercept", static_cast<double>(fit.intercept));
        json.Add("velocity", std::fabs(static_cast<double>(fit.slope)));
        json.Add("source_distance", static_cast<double>(fit.intercept) / 2.0);
    } else {
        json.AddNull("slope");
        json.AddNull("intercept");
        json.AddNull("velocity");
        json.AddNull("source_distance");
    }
    std::cout << json.Finish() << "\n";
    return 0;
}

}  // namespace korvanta::cli
