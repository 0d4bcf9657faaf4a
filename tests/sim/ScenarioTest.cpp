// Scenario files: the shipped default, every section of the format, and the faults a file can
// have, each named by its place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "SignalTestSupport.h"
#include "sim/BlockTiming.h"
#include "sim/FieldKit.h"
#include "sim/KitCommandLine.h"
#include "sim/scenario/DefaultScenario.h"
#include "sim/scenario/ScenarioFile.h"
#include "sim/scenario/ScenarioKitOptions.h"
#include "sim/scenario/ScenarioParser.h"

namespace korvanta::sim {
namespace {

const std::filesystem::path kDocs = std::filesystem::path(KORVANTA_DATA_DIR).parent_path() / "docs" / "scenarios";

Scenario Parsed(const std::string& text, const std::filesystem::path& folder = "/scenarios")
{
    Scenario scenario;
    std::string error;
    EXPECT_TRUE(ScenarioParser::Parse(text, folder, scenario, error)) << error;
    return scenario;
}

std::string Fault(const std::string& text)
{
    Scenario scenario;
    std::string error;
    EXPECT_FALSE(ScenarioParser::Parse(text, "/scenarios", scenario, error)) << text;
    return error;
}

TEST(Scenario, TheShippedDefaultFileIsTheBuiltInDefault)
{
    Scenario file;
    std::string error;
    ASSERT_TRUE(LoadScenarioFile((kDocs / "default.json").string(), file, error)) << error;
    const Scenario built = DefaultScenario();
    EXPECT_EQ(file.description, built.description);
    ASSERT_EQ(file.scene.pipe.Sections().size(), 1u);
    const AcousticSection& a = file.scene.pipe.Sections()[0];
    const AcousticSection& b = built.scene.pipe.Sections()[0];
    EXPECT_EQ(a.lengthMetres, b.lengthMetres);
    EXPECT_EQ(a.WaveSpeed(file.scene.pipe.WaterProperties()), b.WaveSpeed(built.scene.pipe.WaterProperties()));
    EXPECT_EQ(a.LossNepersPerMetre(file.scene.pipe.WaterProperties(), 200.0),
              b.LossNepersPerMetre(built.scene.pipe.WaterProperties(), 200.0));
    for (int unit = 0; unit < kKitUnits; ++unit) {
        EXPECT_EQ(file.scene.sensors[unit].positionMetres, built.scene.sensors[unit].positionMetres) << unit;
        EXPECT_EQ(file.scene.sensors[unit].type, built.scene.sensors[unit].type);
        EXPECT_EQ(file.scene.sensors[unit].noiseDb, built.scene.sensors[unit].noiseDb);
        EXPECT_EQ(file.scene.sensors[unit].resonanceHz, built.scene.sensors[unit].resonanceHz);
        EXPECT_EQ(file.units[unit].sensor, built.units[unit].sensor);
        EXPECT_EQ(file.units[unit].battery, built.units[unit].battery);
    }
    ASSERT_EQ(file.scene.leaks.size(), 1u);
    EXPECT_EQ(file.scene.leaks[0].positionMetres, 43.5);
    EXPECT_EQ(file.scene.leaks[0].band.lowHz, built.scene.leaks[0].band.lowHz);
    EXPECT_EQ(file.scene.traffic.on, built.scene.traffic.on);
    EXPECT_EQ(file.scene.traffic.levelDb, built.scene.traffic.levelDb);
    EXPECT_EQ(file.scene.hum.on, built.scene.hum.on);
    EXPECT_EQ(file.scene.seed, built.scene.seed);
    EXPECT_EQ(CheckScenarioForKit(file), "");
}

TEST(Scenario, EveryShippedExampleLoads)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kDocs)) {
        if (entry.path().extension() != ".json")
            continue;
        Scenario scenario;
        std::string error;
        EXPECT_TRUE(LoadScenarioFile(entry.path().string(), scenario, error)) << error;
        EXPECT_EQ(CheckScenarioForKit(scenario), "") << entry.path();
        ++count;
    }
    EXPECT_GE(count, 6);
}

TEST(Scenario, AnEmptyFileIsTheDefaultAndSensorsFollowANewPipe)
{
    EXPECT_EQ(Parsed("{}").scene.leaks[0].positionMetres, 43.5);
    const Scenario s = Parsed(R"({"pipe": [
        {"lengthM": 100, "material": "cast-iron", "innerDiameterMm": 150, "wallMm": 9},
        {"lengthM": 60, "material": "pe100", "innerDiameterMm": 90, "wallMm": 10, "soilLossDbPerMetreAt100Hz": 0.2},
        {"lengthM": 40, "innerDiameterMm": 100, "wallMm": 8, "youngsModulusGPa": 100, "lossFactor": 0.01,
         "waveSpeedMps": 1250}],
        "leaks": [{"positionM": 120}, {"positionM": 30, "levelDb": -12, "lowHz": 50, "highHz": 600}]})");
    ASSERT_EQ(s.scene.pipe.Sections().size(), 3u);
    EXPECT_EQ(s.scene.pipe.TotalLength(), 200.0);
    EXPECT_EQ(s.scene.pipe.Sections()[1].soilLossDbPerMetreAt100Hz, 0.2);  // over the material's
    EXPECT_EQ(s.scene.pipe.Sections()[1].youngsModulusGPa, 1.4);           // from the material
    EXPECT_EQ(s.scene.pipe.Sections()[2].WaveSpeed(Water{}), 1250.0);
    // Red at 0, blue at the far end, yellow half a pipe beyond, the interface unit beside blue.
    EXPECT_EQ(s.scene.sensors[1].positionMetres, 0.0);
    EXPECT_EQ(s.scene.sensors[2].positionMetres, 200.0);
    EXPECT_EQ(s.scene.sensors[3].positionMetres, 300.0);
    EXPECT_EQ(s.scene.sensors[0].positionMetres, 200.0);
    ASSERT_EQ(s.scene.leaks.size(), 2u);
    EXPECT_EQ(s.scene.leaks[1].levelDb, -12.0);
    EXPECT_EQ(s.scene.leaks[1].band.highHz, 600.0);
}

TEST(Scenario, UnitsSensorsDisturbancesAndKitStatesAreRead)
{
    const Scenario s = Parsed(R"({
        "seed": 77, "paced": false, "charging": true, "headphones": false,
        "lineFaults": {"lose": 0.1, "corrupt": 0.05},
        "water": {"bulkModulusGPa": 2.1, "densityKgPerM3": 999.7},
        "sensorDefaults": {"type": "accelerometer", "resonanceHz": 900, "resonanceQ": 6, "noiseDb": -70},
        "units": {
          "red": {"on": false, "battery": 90, "firmware": "1.5.A", "linkQuality": "acceptable",
                  "sensor": {"positionM": -5, "type": "hydrophone"}},
          "yellow": {"faulty": true, "firmware": [3, 1, 7], "sensorPlugged": false,
                     "diagnosticsVolts": [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2]},
          "blue": {"linkQuality": {"acceptable": 3, "failed": 1}},
          "interface": {"sensorPlugged": true, "battery": 250}
        },
        "disturbances": {"hum": {"frequencyHz": 60, "levelDb": -25, "harmonicsDb": [0, -3]},
                         "traffic": {"levelDb": -5, "lowHz": 3, "highHz": 25},
                         "reflections": [{"positionM": 150, "coefficient": 0.5}]}
    })");
    EXPECT_EQ(s.scene.seed, 77u);
    EXPECT_EQ(s.paced, false);
    EXPECT_TRUE(s.charging);
    EXPECT_FALSE(s.headphones);
    EXPECT_EQ(s.lineFaults.lose, 0.1);
    EXPECT_EQ(s.scene.pipe.WaterProperties().bulkModulusPa, 2.1e9);
    EXPECT_FALSE(s.units[1].on);
    EXPECT_EQ(s.units[1].battery, 90);
    EXPECT_EQ(s.units[1].firmware, (std::array<uint8_t, 3>{1, 5, 0}));
    EXPECT_EQ(s.units[1].linkQuality, LinkQuality::Acceptable);
    EXPECT_EQ(s.units[2].linkQuality, LinkShares(0, 3, 1)) << "shares left out are 0";
    EXPECT_EQ(s.scene.sensors[1].type, SensorType::Hydrophone);
    EXPECT_EQ(s.scene.sensors[1].positionMetres, -5.0);
    EXPECT_EQ(s.scene.sensors[1].resonanceHz, 900.0);  // the defaults under the unit's own
    EXPECT_EQ(s.scene.sensors[2].type, SensorType::Accelerometer);
    EXPECT_EQ(s.scene.sensors[2].noiseDb, -70.0);
    EXPECT_TRUE(s.units[3].faulty);
    EXPECT_FALSE(s.units[3].sensor);
    EXPECT_EQ(s.units[3].firmware, (std::array<uint8_t, 3>{3, 1, 7}));
    EXPECT_EQ(s.units[3].diagnostics[10], DiagnosticsCounts(2.0));
    EXPECT_TRUE(s.units[0].sensor);
    EXPECT_EQ(s.units[0].battery, 250);
    EXPECT_TRUE(s.scene.hum.on);
    EXPECT_EQ(s.scene.hum.frequencyHz, 60.0);
    EXPECT_EQ(s.scene.hum.harmonicsDb, (std::vector<double>{0.0, -3.0}));
    EXPECT_TRUE(s.scene.traffic.on);
    EXPECT_EQ(s.scene.traffic.band.highHz, 25.0);
    ASSERT_EQ(s.scene.reflectors.size(), 1u);
    EXPECT_EQ(s.scene.reflectors[0].coefficient, 0.5);

    const KitOptions options = ScenarioKitOptions(std::make_shared<Scenario>(s));
    EXPECT_FALSE(options.paced);
    EXPECT_EQ(options.seed, 77u);
    EXPECT_TRUE(options.charging);
    EXPECT_EQ(options.units[1].battery, 90);
    EXPECT_EQ(options.lineFaults.corrupt, 0.05);
    EXPECT_EQ(CheckKitOptions(options), "");
}

TEST(Scenario, TheTimelineReadsEveryKindOfEvent)
{
    const Scenario s = Parsed(R"({"timeline": [
        {"at": 30, "event": "unit-off", "unit": "blue"},
        {"at": 45.5, "event": "unit-on", "unit": "blue"},
        {"afterBlocks": 20, "event": "sensor-unplugged", "unit": "interface"},
        {"afterBlocks": 30, "event": "sensor-plugged", "unit": "red"},
        {"at": 0, "event": "battery-drain", "unit": "yellow", "overSeconds": 120},
        {"at": 1, "event": "battery-drain", "unit": "red", "overSeconds": 10, "to": 60},
        {"at": 10, "event": "charging", "on": true},
        {"at": 12, "event": "reset-button"},
        {"at": 14, "event": "headphones", "plugged": false},
        {"at": 50, "event": "frames", "lose": 0.3, "corrupt": 0.1, "forSeconds": 10},
        {"afterBlocks": 8, "event": "link-dead", "forSeconds": 5},
        {"at": 99, "event": "link-dead"}]})");
    ASSERT_EQ(s.timeline.size(), 12u);
    EXPECT_EQ(s.timeline[0].action, TimelineAction::UnitOff);
    EXPECT_EQ(s.timeline[0].unit, 2);
    EXPECT_EQ(*s.timeline[1].atSeconds, 45.5);
    EXPECT_EQ(*s.timeline[2].afterBlocks, 20u);
    EXPECT_EQ(s.timeline[2].unit, 0);
    EXPECT_EQ(s.timeline[3].action, TimelineAction::SensorPlugged);
    EXPECT_EQ(s.timeline[4].battery, FieldKit::kFlatBattery);
    EXPECT_EQ(*s.timeline[4].durationSeconds, 120.0);
    EXPECT_EQ(s.timeline[5].battery, 60);
    EXPECT_TRUE(s.timeline[6].flag);
    EXPECT_EQ(s.timeline[7].action, TimelineAction::ResetButton);
    EXPECT_FALSE(s.timeline[8].flag);
    EXPECT_EQ(s.timeline[9].shares.lose, 0.3);
    EXPECT_EQ(*s.timeline[9].durationSeconds, 10.0);
    EXPECT_EQ(s.timeline[10].action, TimelineAction::LinkDead);
    EXPECT_FALSE(s.timeline[11].durationSeconds.has_value());  // for good
    EXPECT_EQ(CheckScenarioForKit(s), "");
}

TEST(Scenario, FaultsAreNamedByTheirPlaceInTheFile)
{
    EXPECT_NE(Fault("{").find("not valid JSON"), std::string::npos);
    EXPECT_NE(Fault("[]").find("must be an object"), std::string::npos);
    EXPECT_EQ(Fault(R"({"seeed": 3})"), "seeed: is not a field known here");
    EXPECT_EQ(Fault(R"({"seed": -1})"), "seed: must be a whole number in 0..9007199254740992");
    EXPECT_EQ(Fault(R"({"paced": "yes"})"), "paced: must be true or false");
    EXPECT_EQ(Fault(R"({"pipe": []})"), "pipe: must be a list [ ... ] of 1 to 50 entries");
    EXPECT_EQ(Fault(R"({"pipe": [{"lengthM": 10, "material": "pvc", "innerDiameterMm": 100}]})"),
              "pipe[0].wallMm: is needed");
    EXPECT_NE(Fault(R"({"pipe": [{"lengthM": 10, "material": "pcv", "innerDiameterMm": 100, "wallMm": 4}]})")
                  .find("pipe[0].material: 'pcv' is not known (known: pvc, "),
              std::string::npos);
    EXPECT_EQ(Fault(R"({"pipe": [{"lengthM": 10, "innerDiameterMm": 100, "wallMm": 4, "lossFactor": 0.1}]})"),
              "pipe[0].youngsModulusGPa: is needed when no material is named");
    EXPECT_EQ(Fault(R"({"pipe": [{"lengthM": 10, "material": "pvc", "innerDiameterMm": 100, "wallMm": 4,
                        "lossFactor": 2}]})"),
              "pipe[0].lossFactor: must be a number in 0..1");
    EXPECT_EQ(Fault(R"({"units": {"green": {}}})"), "units.green: is not a field known here");
    EXPECT_EQ(Fault(R"({"units": {"interface": {"on": false}}})"), "units.interface.on: is not a field known here");
    EXPECT_EQ(Fault(R"({"units": {"red": {"battery": 256}}})"), "units.red.battery: must be a whole number in 0..255");
    EXPECT_NE(Fault(R"({"units": {"red": {"firmware": "1.2"}}})").find("units.red.firmware"), std::string::npos);
    EXPECT_NE(Fault(R"({"units": {"red": {"firmware": "1.2.3.4"}}})").find("units.red.firmware"), std::string::npos);
    EXPECT_EQ(Fault(R"({"units": {"blue": {"sensor": {"type": "microphone"}}}})"),
              "units.blue.sensor.type: must be \"hydrophone\" or \"accelerometer\"");
    EXPECT_NE(Fault(R"({"units": {"red": {"linkQuality": "good"}}})").find("units.red.linkQuality: must be"),
              std::string::npos);
    EXPECT_NE(Fault(R"({"units": {"red": {"linkQuality": 70}}})").find("units.red.linkQuality: must be"),
              std::string::npos);
    EXPECT_EQ(Fault(R"({"units": {"red": {"linkQuality": {"perfect": 70, "ok": 30}}}})"),
              "units.red.linkQuality.ok: is not a field known here");
    EXPECT_EQ(Fault(R"({"units": {"red": {"linkQuality": {"failed": -1, "perfect": 2}}}})"),
              "units.red.linkQuality.failed: must be a number in 0..1000");
    EXPECT_NE(Fault(R"({"units": {"red": {"linkQuality": {"perfect": 0}}}})").find("must not all be 0"),
              std::string::npos);
    EXPECT_EQ(Fault(R"({"leaks": [{"levelDb": 0}]})"), "leaks[0].positionM: is needed");
    EXPECT_EQ(Fault(R"({"leaks": [{"positionM": 10, "lowHz": 900, "highHz": 100}]})"),
              "leak 1: the band must satisfy 0 <= low < high <= 2441.406250 Hz");
    EXPECT_EQ(Fault(R"({"disturbances": {"hum": {"harmonicsDb": []}}})"),
              "disturbances.hum.harmonicsDb: must be a list of 1 to 20 levels in dB");
    EXPECT_EQ(Fault(R"({"lineFaults": {"lose": 0.7, "corrupt": 0.7}})"),
              "lineFaults: lost and corrupted shares add up to more than 1");
    // The leak's sound must reach every sensor within the model's reach.
    EXPECT_NE(Fault(R"({"units": {"yellow": {"sensor": {"positionM": 9000}}}})").find("yellow sensor"),
              std::string::npos);
    EXPECT_NE(Fault(std::string(40, '[') + std::string(40, ']')).find("nests deeper"), std::string::npos);
    // Brackets inside a text, after an escaped quote too, are no nesting.
    EXPECT_EQ(Parsed(R"({"description": "a \"[)" + std::string(40, '[') + R"( \\"})").description,
              "a \"[" + std::string(40, '[') + " \\");
}

TEST(Scenario, TimelineFaultsAreNamedToo)
{
    EXPECT_EQ(Fault(R"({"timeline": [{"event": "reset-button"}]})"),
              "timeline[0]: needs either \"at\" (seconds after the kit started) or \"afterBlocks\"");
    EXPECT_EQ(Fault(R"({"timeline": [{"at": 1, "afterBlocks": 2, "event": "reset-button"}]})"),
              "timeline[0]: needs either \"at\" (seconds after the kit started) or \"afterBlocks\"");
    EXPECT_EQ(Fault(R"({"timeline": [{"at": 1, "event": "unit-off", "unit": "interface"}]})"),
              "timeline[0].unit: must be \"red\", \"blue\" or \"yellow\"");
    EXPECT_EQ(Fault(R"({"timeline": [{"at": 1, "event": "battery-drain", "unit": "red"}]})"),
              "timeline[0].overSeconds: is needed");
    EXPECT_EQ(Fault(R"({"timeline": [{"at": 1, "event": "charging"}]})"), "timeline[0].on: is needed (true or false)");
    EXPECT_EQ(Fault(R"({"timeline": [{"at": 1, "event": "reset-button", "unit": "red"}]})"),
              "timeline[0].unit: is not a field known here");
    EXPECT_NE(Fault(R"({"timeline": [{"at": 1, "event": "explode"}]})").find("timeline[0].event: must be one of"),
              std::string::npos);
    EXPECT_EQ(Fault(R"({"timeline": [{"at": 1, "event": "frames", "lose": 0.9, "corrupt": 0.2}]})"),
              "timeline[0]: lost and corrupted shares add up to more than 1");
}

TEST(Scenario, RecordingsAreFoundBesideTheFileAndLoadedAtTheOutstationsRate)
{
    const std::filesystem::path folder = test::FreshFolder("korvanta-scenario-");
    const auto [a, b] = test::DelayedNoisePair(14, 8000.0, 100.0, 800.0, 0.01, 0.2, 4);
    test::WriteFile(folder / "red.wav", test::WavBytes({a}, 8000, 1, 16));
    test::WriteFile(folder / "blue.f32", test::Frames({b}, 3, 32));
    {
        std::ofstream out(folder / "replay.json");
        out << R"({"recordings": {"red": {"file": "red.wav"},
                   "blue": {"file": "blue.f32", "format": "raw-float32", "sampleRateHz": 8000}}})";
    }
    Scenario s;
    std::string error;
    ASSERT_TRUE(LoadScenarioFile((folder / "replay.json").string(), s, error)) << error;
    EXPECT_TRUE(s.UsesRecordings());
    EXPECT_EQ(s.recordings[1]->path, (folder / "red.wav").string());
    ASSERT_TRUE(s.tracks[1] && s.tracks[2]);
    EXPECT_FALSE(s.tracks[3]);
    const auto expected = static_cast<size_t>(std::lround(16384.0 * kSampleRate / 8000.0));
    EXPECT_EQ(s.tracks[1]->size(), expected);
    EXPECT_EQ(s.tracks[2]->size(), expected);

    // A recording that cannot be read fails the whole scenario, by the file's name.
    std::filesystem::remove(folder / "blue.f32");
    EXPECT_FALSE(LoadScenarioFile((folder / "replay.json").string(), s, error));
    EXPECT_NE(error.find("blue.f32"), std::string::npos);
    // A raw file needs its rate, and a file not ending in .wav its format.
    {
        std::ofstream out(folder / "bad.json");
        out << R"({"recordings": {"blue": {"file": "blue.f32"}}})";
    }
    EXPECT_FALSE(LoadScenarioFile((folder / "bad.json").string(), s, error));
    EXPECT_NE(error.find("recordings.blue.format"), std::string::npos) << error;
    std::filesystem::remove_all(folder);
}

TEST(Scenario, TheProgramsKitTakesTheScenarioNamedInTheEnvironment)
{
    const std::filesystem::path folder = test::FreshFolder("korvanta-scenario-");
    {
        std::ofstream out(folder / "mine.json");
        out << R"({"description": "mine", "units": {"red": {"battery": 17}}})";
    }
    KitOptions options;
    std::string error;
    std::string source;
    unsetenv(kScenarioVariable);
    ASSERT_TRUE(ProgramKitOptions(options, error, &source)) << error;
    EXPECT_EQ(source, "default");
    ASSERT_TRUE(options.scenario);
    EXPECT_EQ(options.scenario->scene.leaks[0].positionMetres, 43.5);
    EXPECT_TRUE(options.paced);

    setenv(kScenarioVariable, (folder / "mine.json").c_str(), 1);
    ASSERT_TRUE(ProgramKitOptions(options, error, &source)) << error;
    EXPECT_EQ(options.scenario->description, "mine");
    EXPECT_EQ(options.units[1].battery, 17);

    setenv(kScenarioVariable, (folder / "missing.json").c_str(), 1);
    EXPECT_FALSE(ProgramKitOptions(options, error, &source));
    EXPECT_NE(error.find("missing.json"), std::string::npos);
    unsetenv(kScenarioVariable);
    std::filesystem::remove_all(folder);
}

TEST(KitCommandLine, AScenarioFileReplacesTheSimpleModelAndOtherOptionsApplyOnTop)
{
    const std::string file = (kDocs / "default.json").string();
    KitCommandLine command;
    std::string error;
    ASSERT_TRUE(
        ParseKitCommandLine({"--fast", "--battery", "red:40", "--scenario", file, "--link", "/tmp/x"}, command, error))
        << error;
    ASSERT_TRUE(command.options.scenario);
    EXPECT_EQ(command.scenarioPath, file);
    EXPECT_FALSE(command.options.paced);  // --fast before --scenario still counts
    EXPECT_EQ(command.options.units[1].battery, 40);
    EXPECT_EQ(command.options.scenario->scene.leaks[0].positionMetres, 43.5);

    ASSERT_TRUE(ParseKitCommandLine({"--scenario", file, "--seed", "9", "--link", "/tmp/x"}, command, error));
    EXPECT_EQ(command.options.scenario->scene.seed, 9u);
    EXPECT_EQ(command.options.seed, 9u);

    EXPECT_FALSE(ParseKitCommandLine({"--scenario", file, "--velocity", "900", "--link", "/tmp/x"}, command, error));
    EXPECT_NE(error.find("--velocity has no effect with --scenario"), std::string::npos);
    EXPECT_FALSE(ParseKitCommandLine({"--scenario", "/nonexistent.json", "--link", "/tmp/x"}, command, error));
    EXPECT_NE(error.find("/nonexistent.json"), std::string::npos);
    EXPECT_FALSE(ParseKitCommandLine({"--scenario", file, "--scenario", file, "--link", "/tmp/x"}, command, error));
    EXPECT_FALSE(ParseKitCommandLine({"--link", "/tmp/x", "--scenario"}, command, error));
    EXPECT_NE(KitUsage().find("--scenario FILE"), std::string::npos);
}

}  // namespace
}  // namespace korvanta::sim
