#include "sim/scenario/DefaultScenario.h"

#include "sim/acoustics/PipeMaterials.h"

namespace korvanta::sim {

namespace {

AcousticPipe DefaultPipe(double lengthMetres)
{
    const PipeMaterial pvc = *FindPipeMaterial("pvc");
    AcousticSection section;
    section.lengthMetres = lengthMetres;
    ApplyPipeMaterial(pvc, section);
    section.innerDiameterMm = 101.4;
    section.wallMm = 4.3;
    return AcousticPipe({section}, Water{});
}

}  // namespace

Scenario DefaultScenario()
{
    Scenario scenario = DefaultPipeScenario(120.0, 60.0, 43.5);
    scenario.description = "120 m of 110 mm PVC between red and blue, a leak 43.5 m from red";
    // The pipe ends at blue; yellow, beyond it, is not part of the two-station measurement.
    scenario.scene.pipe = DefaultPipe(120.0);
    return scenario;
}

Scenario DefaultPipeScenario(double redBlueMetres, double blueYellowMetres, double leakFromRedMetres)
{
    Scenario scenario;
    scenario.description = "110 mm PVC with red, blue and yellow on it";

    scenario.scene.pipe = DefaultPipe(redBlueMetres + blueYellowMetres);

    for (SensorModel& sensor : scenario.scene.sensors) {
        sensor.type = SensorType::Hydrophone;
        sensor.resonanceHz = 2000.0;
        sensor.resonanceQ = 2.0;
        sensor.noiseDb = -30.0;
    }
    scenario.scene.sensors[0].positionMetres = redBlueMetres;
    scenario.scene.sensors[1].positionMetres = 0.0;
    scenario.scene.sensors[2].positionMetres = redBlueMetres;
    scenario.scene.sensors[3].positionMetres = redBlueMetres + blueYellowMetres;

    LeakSource leak;
    leak.positionMetres = leakFromRedMetres;
    leak.band = {5.0, 1500.0};
    scenario.scene.leaks = {leak};

    scenario.scene.traffic.on = true;
    scenario.scene.traffic.levelDb = -30.0;
    scenario.scene.traffic.band = {2.0, 30.0};
    scenario.scene.seed = 1;
    return scenario;
}

}  // namespace korvanta::sim
