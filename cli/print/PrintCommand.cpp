#include <iostream>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/LoadedMeasurement.h"
#include "core/export/PrintedPage.h"
#include "core/export/StoredResultReport.h"
#include "print/OffscreenPdf.h"

namespace korvanta::cli {

int RunPrint(const std::vector<std::string>& args)
{
    const CommandLine options(args, {}, {"imperial", "ms"});
    if (options.Positional().size() != 2) {
        throw UsageError("print needs FILE.kvd and OUT.pdf");
    }
    LoadedMeasurement measurement(options.Has("imperial") ? UnitSystem::Imperial : UnitSystem::Metric,
                                  options.Has("ms") ? TimeUnit::Milliseconds : TimeUnit::Seconds);
    if (!measurement.Open(options.Positional()[0], "print")) {
        return 2;
    }
    const auto page = LayOutPrintedPage(ReportOfOpenedMeasurement(measurement.Doc()));
    std::string error;
    if (!print::WritePrintedPagePdf(page, options.Positional()[1], error)) {
        std::cerr << "korvanta-cli print: " << error << "\n";
        return 1;
    }
    JsonWriter json;
    json.Add("pdf", options.Positional()[1]);
    std::cout << json.Finish() << "\n";
    return 0;
}

}  // namespace korvanta::cli
