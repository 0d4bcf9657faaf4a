#include <iostream>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/LoadedMeasurement.h"
#include "core/dialogs/FileInformationForm.h"
#include "core/export/GisExport.h"
#include "core/export/StoredResultReport.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta::cli {

int RunExport(const std::vector<std::string>& args)
{
    const CommandLine options(args, {"gis"}, {"imperial", "ms"});
    if (options.Positional().size() != 2) {
        throw UsageError("export needs FILE.kvd and OUT");
    }
    const std::string code = options.Value("gis").value_or("");
    if (CheckGisCode(code) != str::kNoError) {
        throw UsageError(std::string("--gis: ") + LoadString(CheckGisCode(code)));
    }
    if (!HasExportBaseName(options.Positional()[1])) {
        throw UsageError("OUT '" + options.Positional()[1] + "' names no file: give a name such as måling or måling.txt");
    }
    LoadedMeasurement measurement(options.Has("imperial") ? UnitSystem::Imperial : UnitSystem::Metric,
                                  options.Has("ms") ? TimeUnit::Milliseconds : TimeUnit::Seconds);
    if (!measurement.Open(options.Positional()[0], "export")) {
        return 2;
    }
    const ResultReport report = ReportOfOpenedMeasurement(measurement.Doc());
    std::string error;
    if (!WriteGisExport(options.Positional()[1], report, code, error)) {
        std::cerr << "korvanta-cli export: " << error << "\n";
        return 1;
    }
    const std::string base = ExportBasePath(options.Positional()[1]);
    JsonWriter json;
    json.Add("csv", base + ".csv");
    json.Add("bmp", base + ".bmp");
    std::cout << json.Finish() << "\n";
    return 0;
}

}  // namespace korvanta::cli
