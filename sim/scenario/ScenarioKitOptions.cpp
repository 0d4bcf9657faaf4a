#include "sim/scenario/ScenarioKitOptions.h"

#include <utility>

#include "sim/scenario/ScenarioFile.h"

namespace korvanta::sim {

KitOptions ScenarioKitOptions(std::shared_ptr<const Scenario> scenario)
{
    KitOptions options;
    if (!scenario) {
        return options;
    }
    options.paced = scenario->paced.value_or(true);
    options.units = scenario->units;
    options.charging = scenario->charging;
    options.headphones = scenario->headphones;
    options.lineFaults = scenario->lineFaults;
    options.seed = scenario->scene.seed;
    options.scenario = std::move(scenario);
    return options;
}

bool ProgramKitOptions(KitOptions& options, std::string& error, std::string* source)
{
    auto scenario = std::make_shared<Scenario>();
    if (!ScenarioFromEnvironment(*scenario, error, source)) {
        return false;
    }
    options = ScenarioKitOptions(std::move(scenario));
    return true;
}

}  // namespace korvanta::sim
