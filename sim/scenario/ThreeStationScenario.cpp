#include "sim/scenario/ThreeStationScenario.h"

#include <cstdlib>
#include <memory>

#include "sim/scenario/DefaultScenario.h"
#include "sim/scenario/ScenarioFile.h"
#include "sim/scenario/ScenarioKitOptions.h"

namespace korvanta::sim {

namespace {

constexpr double kLeakShareOfRedBlue = 0.4;

}  // namespace

Scenario ThreeStationScenario(double redBlueMetres, double blueYellowMetres)
{
    Scenario scenario = DefaultPipeScenario(redBlueMetres, blueYellowMetres, kLeakShareOfRedBlue * redBlueMetres);
    scenario.description = "the default PVC pipe with red, blue and yellow on it, a leak between red and blue";
    return scenario;
}

bool ProgramThreeStationKitOptions(KitOptions& options, double redBlueMetres, double blueYellowMetres,
                                   std::string& error, std::string* source)
{
    const char* named = std::getenv(kScenarioVariable);
    if (named != nullptr && *named != '\0') {
        return ProgramKitOptions(options, error, source);
    }
    options = ScenarioKitOptions(std::make_shared<Scenario>(ThreeStationScenario(redBlueMetres, blueYellowMetres)));
    if (source != nullptr) {
        *source = "three-station";
    }
    return true;
}

}  // namespace korvanta::sim
