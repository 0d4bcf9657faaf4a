#include "sim/scenario/ThreeStationScenario.h"

#include <cstdlib>
#include <memory>

#include "sim/acoustics/PipeMaterials.h"
#include "sim/scenario/ScenarioFile.h"
#include "sim/scenario/ScenarioKitOptions.h"

namespace korvanta::sim {

namespace {

constexpr double kLeakShareOfRedBlue = 0.4;

}  // namespace

Scenario ThreeStationScenario(double redBlueMetres, double blueYellowMetres)
{
    Scenario scenario;
    scenario.description = "ductile-iron main with red, blue and yellow on it, a leak between red and blue";

    const PipeMaterial iron = *FindPipeMaterial("ductile-iron");
    AcousticSection section;
    section.lengthMetres = redBlueMetres + blueYellowMetres;
    ApplyPipeMaterial(iron, section);
    section.innerDiameterMm = 158.0;
    section.wallMm = 6.0;
    scenario.scene.pipe = AcousticPipe({section}, Water{});

    for (SensorModel& sensor : scenario.scene.sensors) {
        sensor.type = SensorType::Accelerometer;
        sensor.resonanceHz = 1800.0;
        sensor.resonanceQ = 3.0;
        sensor.noiseDb = -45.0;
    }
    scenario.scene.sensors[0].positionMetres = redBlueMetres;  // the interface unit's, unused here
    scenario.scene.sensors[1].positionMetres = 0.0;
    scenario.scene.sensors[2].positionMetres = redBlueMetres;
    scenario.scene.sensors[3].positionMetres = redBlueMetres + blueYellowMetres;

    LeakSource leak;
    leak.positionMetres = kLeakShareOfRedBlue * redBlueMetres;
    leak.band = {20.0, 1500.0};
    scenario.scene.leaks = {leak};

    scenario.scene.traffic.on = true;
    scenario.scene.traffic.levelDb = -20.0;
    scenario.scene.traffic.band = {2.0, 40.0};
    scenario.scene.seed = 3;
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
