// Arbitrary text through the scenario parser; whatever it accepts must build the kit's options.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sim/scenario/ScenarioKitOptions.h"
#include "sim/scenario/ScenarioParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace korvanta::sim;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto scenario = std::make_shared<Scenario>();
    std::string error;
    if (ScenarioParser::Parse(text, "/nonexistent-folder", *scenario, error)) {
        const KitOptions options = ScenarioKitOptions(scenario);
        (void)options;
    } else if (error.empty()) {
        __builtin_trap();  // a refusal must say why
    }
    return 0;
}
