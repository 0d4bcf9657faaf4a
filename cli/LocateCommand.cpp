#include <iostream>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/OptionLimits.h"
#include "core/pipe/LeakPosition.h"
#include "core/pipe/Pipe.h"

namespace korvanta::cli {

int RunLocate(const std::vector<std::string>& args)
{
    const CommandLine options(args, {"section", "delay"});
    if (!options.Positional().empty()) {
        throw UsageError("unexpected argument '" + options.Positional()[0] + "'");
    }
    const auto sections = options.Values("section");
    if (sections.empty() || sections.size() > static_cast<size_t>(kMaxPipeSections)) {
        throw UsageError("give 1 to 10 --section LENGTH:VELOCITY");
    }
    if (!options.Has("delay")) {
        throw UsageError("--delay SECONDS is required");
    }
    PipeSections pipe{};
    for (size_t i = 0; i < sections.size(); ++i) {
        const auto [length, velocity] = SplitPair(sections[i], "--section");
        pipe[i].length = static_cast<float>(ParseNumber(length, "--section length", 0.0, kMaxSectionLengthM));
        pipe[i].velocity = static_cast<float>(ParseNumber(velocity, "--section velocity", 1.0, kMaxVelocityMps));
        pipe[i].diameter = 100.0f;
        pipe[i].inUse = 1;
    }
    const float delay = static_cast<float>(options.Number("delay", 0.0, -kMaxDelaySeconds, kMaxDelaySeconds));

    JsonWriter json;
    json.Add("sections", static_cast<long long>(GetSectionCount(pipe)));
    json.Add("total_length", static_cast<double>(GetTotalLength(pipe)));
    json.Add("travel_time", static_cast<double>(GetTravelTime(pipe)));
    uint32_t range = 0;
    if (SelectRange(pipe, range)) {
        json.Add("range", static_cast<long long>(range));
    } else {
        json.AddNull("range");
    }
    // A delay beyond the pipe puts no leak between the sensors: no distance is printed for it.
    const bool outside = IsLeakOutsidePipe(pipe, delay);
    if (outside) {
        json.AddNull("from_start");
        json.AddNull("from_end");
    } else {
        const LeakPosition position = ComputeLeakPosition(pipe, delay);
        json.Add("from_start", static_cast<double>(position.fromStart));
        json.Add("from_end", static_cast<double>(position.fromEnd));
    }
    json.Add("outside", outside);
    std::cout << json.Finish() << "\n";
    return 0;
}

}  // namespace korvanta::cli
