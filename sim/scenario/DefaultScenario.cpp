#include "sim/scenario/DefaultScenario.h"

#include "sim/acoustics/PipeMaterials.h"

namespace korvanta::sim {

Scenario DefaultScenario()
{
    Scenario scenario;
    scenario.description = "120 m of 110 mm PVC between red and blue, a leak 43.5 m from red";

    const PipeMaterial pvc = *FindPipeMaterial("pvc");
    AcousticSection section;
    section.lengthMetres = 120.0;
    ApplyPipeMaterial(pvc, section);
    section.innerDiameterMm = 101.4;
    section.wallMm = 4.3;
    scenario.scene.pipe = AcousticPipe({section}, Water{});

    for (SensorModel& sensor : scenario.scene.sensors) {
        sensor.type = SensorType::Hydrophone;
        sensor.resonanceHz = 2000.0;
        sensor.resonanceQ = 2.0;
        sensor.noiseDb = -30.0;
    }
    scenario.scene.sensors[0].positionMetres = 120.0;
    scenario.scene.sensors[1].positionMetres = 0.0;
    scenario.scene.sensors[2].positionMetres = 120.0;
    scenario.scene.sensors[3].positionMetres = 180.0;

    LeakSource leak;
    leak.positionMetres = 43.5;
    leak.band = {5.0, 1500.0};
    scenario.scene.leaks = {leak};

    scenario.scene.traffic.on = true;
    scenario.scene.traffic.levelDb = -30.0;
    scenario.scene.traffic.band = {2.0, 30.0};
    scenario.scene.seed = 1;
    return scenario;
}

}  // namespace korvanta::sim
