#include "sim/scenario/ScenarioParser.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include <nlohmann/json.hpp>

#include "sim/BlockTiming.h"
#include "sim/acoustics/PipeMaterials.h"
#include "sim/recording/WholeFile.h"
#include "sim/scenario/DefaultScenario.h"
#include "sim/scenario/JsonFields.h"

namespace korvanta::sim {

namespace {

using Json = nlohmann::json;

constexpr std::array<const char*, kKitUnits> kUnitNames = {"interface", "red", "blue", "yellow"};
constexpr int64_t kMaxSeed = int64_t{1} << 53;
constexpr double kMaxSeconds = 7.0 * 86400.0;
constexpr uint64_t kMaxWavenumberBytes = 8u << 20;

int UnitByName(const std::string& name)
{
    for (int unit = 0; unit < kKitUnits; ++unit) {
        if (name == kUnitNames[unit]) {
            return unit;
        }
    }
    return -1;
}

// Deeper nesting than a scenario needs is refused before the JSON parser sees it.
bool NestedTooDeep(std::string_view text, int limit)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > limit) {
                return true;
            }
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return false;
}

// Reads an array field: each element handed to `element` with its place.
template <typename Element>
void ForEach(JsonFields& fields, const char* key, size_t minCount, size_t maxCount, Element element)
{
    const Json* array = fields.Child(key);
    if (array == nullptr) {
        return;
    }
    if (!array->is_array() || array->size() < minCount || array->size() > maxCount) {
        fields.Fail(key, "must be a list [ ... ] of " + std::to_string(minCount) + " to " + std::to_string(maxCount) +
                             " entries");
        return;
    }
    for (size_t i = 0; i < array->size() && fields.Ok(); ++i) {
        element((*array)[i], ElementPath(fields.PathOf(key), i));
    }
}

class Reader {
public:
    Reader(const std::filesystem::path& folder, std::string& error) : folder_(folder), error_(error) {}

    void Read(const Json& root, Scenario& s)
    {
        JsonFields fields(root, "", error_);
        fields.String("description", s.description);
        int64_t seed = static_cast<int64_t>(s.scene.seed);
        fields.Integer("seed", seed, 0, kMaxSeed);
        s.scene.seed = static_cast<uint64_t>(seed);
        bool paced = s.paced.value_or(true);
        if (fields.Has("paced")) {
            fields.Bool("paced", paced);
            s.paced = paced;
        }
        fields.Bool("charging", s.charging);
        fields.Bool("headphones", s.headphones);
        if (const Json* faults = fields.Child("lineFaults")) {
            JsonFields f(*faults, fields.PathOf("lineFaults"), error_);
            f.Number("lose", s.lineFaults.lose, 0.0, 1.0);
            f.Number("corrupt", s.lineFaults.corrupt, 0.0, 1.0);
            if (f.Finish() && s.lineFaults.lose + s.lineFaults.corrupt > 1.0) {
                f.Fail("", "lost and corrupted shares add up to more than 1");
            }
        }
        fields.Number("leakPressurePa", s.scene.referencePressurePa, 1e-6, 1e7);
        if (const Json* water = fields.Child("water")) {
            ReadWater(*water, fields.PathOf("water"), s);
        }
        bool sectionsGiven = false;
        std::vector<AcousticSection> sections;
        std::vector<CrewVelocity> crew;
        ForEach(fields, "pipe", 1, AcousticPipe::kMaxSections, [&](const Json& value, const std::string& path) {
            crew.emplace_back();
            sections.push_back(ReadSection(value, path, crew.back()));
            sectionsGiven = true;
        });
        if (sectionsGiven) {
            s.scene.pipe = AcousticPipe(sections, s.scene.pipe.WaterProperties());
            s.crewVelocities = crew;
        }
        SensorModel defaults = s.scene.sensors[1];
        if (const Json* sensor = fields.Child("sensorDefaults")) {
            ReadSensor(*sensor, fields.PathOf("sensorDefaults"), defaults, false);
            for (SensorModel& model : s.scene.sensors) {
                const double position = model.positionMetres;
                model = defaults;
                model.positionMetres = position;
            }
        }
        PlaceSensors(s);
        if (const Json* units = fields.Child("units")) {
            ReadUnits(*units, fields.PathOf("units"), s);
        }
        bool leaksGiven = false;
        std::vector<LeakSource> leaks;
        ForEach(fields, "leaks", 1, AcousticScene::kMaxLeaks, [&](const Json& value, const std::string& path) {
            leaks.push_back(ReadLeak(value, path));
            leaksGiven = true;
        });
        if (leaksGiven) {
            s.scene.leaks = leaks;
        }
        if (const Json* disturbances = fields.Child("disturbances")) {
            ReadDisturbances(*disturbances, fields.PathOf("disturbances"), s.scene);
        }
        if (const Json* recordings = fields.Child("recordings")) {
            ReadRecordings(*recordings, fields.PathOf("recordings"), s);
        }
        if (fields.Has("timeline")) {
            s.timeline.clear();
        }
        ForEach(fields, "timeline", 0, 1000,
                [&](const Json& value, const std::string& path) { s.timeline.push_back(ReadEvent(value, path)); });
        fields.Finish();
    }

private:
    void ReadWater(const Json& value, const std::string& path, Scenario& s)
    {
        Water water = s.scene.pipe.WaterProperties();
        JsonFields f(value, path, error_);
        double gpa = water.bulkModulusPa / 1e9;
        f.Number("bulkModulusGPa", gpa, 0.1, 10.0);
        water.bulkModulusPa = gpa * 1e9;
        f.Number("densityKgPerM3", water.density, 500.0, 2000.0);
        f.Finish();
        s.scene.pipe = AcousticPipe(s.scene.pipe.Sections(), water);
    }

    AcousticSection ReadSection(const Json& value, const std::string& path, CrewVelocity& crew)
    {
        AcousticSection section;
        JsonFields f(value, path, error_);
        f.String("material", section.material);
        if (!section.material.empty()) {
            const auto material = FindPipeMaterial(section.material);
            if (!material) {
                f.Fail("material", "'" + section.material + "' is not known (known: " + PipeMaterialNames() + ")");
                return section;
            }
            ApplyPipeMaterial(*material, section);
        } else {
            for (const char* needed : {"youngsModulusGPa", "lossFactor"}) {
                if (!f.Has(needed)) {
                    f.Fail(needed, "is needed when no material is named");
                }
            }
        }
        for (const char* needed : {"lengthM", "innerDiameterMm", "wallMm"}) {
            if (!f.Has(needed)) {
                f.Fail(needed, "is needed");
            }
        }
        f.Number("lengthM", section.lengthMetres, 0.01, 100000.0);
        f.Number("innerDiameterMm", section.innerDiameterMm, 1.0, 5000.0);
        f.Number("wallMm", section.wallMm, 0.1, 500.0);
        f.Number("youngsModulusGPa", section.youngsModulusGPa, 0.01, 1000.0);
        f.Number("lossFactor", section.lossFactor, 0.0, 1.0);
        f.Number("soilLossDbPerMetreAt100Hz", section.soilLossDbPerMetreAt100Hz, 0.0, 20.0);
        f.Number("waveSpeedMps", section.waveSpeed, 1.0, 6000.0);
        f.Number("wallDensityKgPerM3", section.wallDensityKgPerM3, 100.0, 20000.0);
        f.Number("enteredVelocityMps", crew.metresPerSecond, 1.0, 6000.0);
        f.Number("enteredVelocityErrorPercent", crew.errorPercent, -50.0, 50.0);
        if (crew.metresPerSecond && crew.errorPercent) {
            f.Fail("enteredVelocityErrorPercent", "cannot be given with enteredVelocityMps");
        }
        if (const Json* soil = f.Child("soil")) {
            section.soil = ReadSoil(*soil, f.PathOf("soil"));
        }
        if (const Json* table = f.Child("measuredWavenumber")) {
            section.measured = ReadMeasuredWavenumber(*table, f.PathOf("measuredWavenumber"));
        }
        // The material's soil loss stands in for the soil; with the soil itself stated (or measured)
        // only a stated figure adds to it, for joints and fittings.
        if ((section.soil || section.measured) && !f.Has("soilLossDbPerMetreAt100Hz")) {
            section.soilLossDbPerMetreAt100Hz = 0.0;
        }
        f.Finish();
        return section;
    }

    BuriedSoil ReadSoil(const Json& value, const std::string& path)
    {
        BuriedSoil soil;
        JsonFields f(value, path, error_);
        f.Number("densityKgPerM3", soil.densityKgPerM3, 500.0, 5000.0);
        f.Number("shearSpeedMps", soil.shearSpeedMps, 1.0, 3000.0);
        f.Number("movingMassKgPerM2", soil.massKgPerM2, 0.0, 10000.0);
        f.Finish();
        return soil;
    }

    std::shared_ptr<const MeasuredWavenumber> ReadMeasuredWavenumber(const Json& value, const std::string& path)
    {
        JsonFields f(value, path, error_);
        std::string file;
        double fromHz = 0.0;
        double toHz = kSampleRate / 2.0;
        f.String("file", file);
        f.Number("fromHz", fromHz, 0.0, kSampleRate / 2.0);
        f.Number("toHz", toHz, 0.0, kSampleRate / 2.0);
        if (file.empty()) {
            f.Fail("file", "is needed");
        }
        if (!f.Finish()) {
            return nullptr;
        }
        const std::filesystem::path filePath(file);
        const std::string resolved = (filePath.is_absolute() ? filePath : folder_ / filePath).string();
        std::string text;
        std::string fault;
        auto table = std::make_shared<MeasuredWavenumber>();
        if (!ReadWholeFile(resolved, kMaxWavenumberBytes, text, fault) ||
            !MeasuredWavenumber::Parse(text, fromHz, toHz, *table, fault)) {
            f.Fail("file", resolved + ": " + fault);
            return nullptr;
        }
        return table;
    }

    void ReadSensor(const Json& value, const std::string& path, SensorModel& sensor, bool withPosition)
    {
        JsonFields f(value, path, error_);
        if (withPosition) {
            f.Number("positionM", sensor.positionMetres, -100000.0, 200000.0);
        }
        std::string type;
        f.String("type", type);
        if (type == "hydrophone") {
            sensor.type = SensorType::Hydrophone;
        } else if (type == "accelerometer") {
            sensor.type = SensorType::Accelerometer;
        } else if (!type.empty()) {
            f.Fail("type", "must be \"hydrophone\" or \"accelerometer\"");
        }
        f.Number("resonanceHz", sensor.resonanceHz, 50.0, 1e6);
        f.Number("resonanceQ", sensor.resonanceQ, 0.5, 50.0);
        f.Number("noiseDb", sensor.noiseDb, -150.0, 60.0);
        f.Number("selfNoisePerRootHz", sensor.selfNoisePerRootHz, 0.0, 1e3);
        f.Number("lowCutHz", sensor.lowCutHz, 0.0, 1000.0);
        f.Finish();
    }

    // Sensors whose place the file does not give sit where the kit puts them by default.
    void PlaceSensors(Scenario& s)
    {
        const double length = s.scene.pipe.TotalLength();
        s.scene.sensors[0].positionMetres = length;
        s.scene.sensors[1].positionMetres = 0.0;
        s.scene.sensors[2].positionMetres = length;
        s.scene.sensors[3].positionMetres = 1.5 * length;
    }

    void ReadUnits(const Json& value, const std::string& path, Scenario& s)
    {
        JsonFields f(value, path, error_);
        for (int unit = 0; unit < kKitUnits; ++unit) {
            if (const Json* child = f.Child(kUnitNames[unit])) {
                ReadUnit(*child, f.PathOf(kUnitNames[unit]), unit, s);
            }
        }
        f.Finish();
    }

    void ReadUnit(const Json& value, const std::string& path, int unit, Scenario& s)
    {
        UnitSettings& settings = s.units[static_cast<size_t>(unit)];
        JsonFields f(value, path, error_);
        if (unit != kInterfaceUnit) {
            // The interface unit is always on and never reports a fault.
            f.Bool("on", settings.on);
            f.Bool("faulty", settings.faulty);
            if (const Json* quality = f.Child("linkQuality")) {
                ReadLinkQuality(*quality, f, settings.linkQuality);
            }
        }
        double offsetMs = s.scene.sensors[static_cast<size_t>(unit)].timingOffsetSeconds * 1000.0;
        f.Number("timingOffsetMs", offsetMs, -1000.0, 1000.0);
        s.scene.sensors[static_cast<size_t>(unit)].timingOffsetSeconds = offsetMs / 1000.0;
        f.Bool("sensorPlugged", settings.sensor);
        int64_t battery = settings.battery;
        f.Integer("battery", battery, 0, 255);
        settings.battery = static_cast<uint8_t>(battery);
        if (const Json* firmware = f.Child("firmware")) {
            ReadFirmware(*firmware, f, settings.firmware);
        }
        if (const Json* volts = f.Child("diagnosticsVolts")) {
            if (!volts->is_array() || volts->size() != kDiagnosticsChannels) {
                f.Fail("diagnosticsVolts", "must be a list of " + std::to_string(kDiagnosticsChannels) + " numbers");
            } else {
                for (size_t i = 0; i < volts->size(); ++i) {
                    const Json& v = (*volts)[i];
                    if (!v.is_number() || !(v.get<double>() >= 0.0) || v.get<double>() > 100.0) {
                        f.Fail("diagnosticsVolts", "each reading must be a number of volts in 0..100");
                        break;
                    }
                    settings.diagnostics[i] = DiagnosticsCounts(v.get<double>());
                }
            }
        }
        if (const Json* sensor = f.Child("sensor")) {
            ReadSensor(*sensor, f.PathOf("sensor"), s.scene.sensors[static_cast<size_t>(unit)], true);
        }
        f.Finish();
    }

    // "2.0.2", a last part that may be a letter A..Z (A = 0), or [2, 0, 2].
    // One quality for every test, or the shares of the three in proportion.
    void ReadLinkQuality(const Json& value, JsonFields& parent, LinkShares& shares)
    {
        if (value.is_string()) {
            if (const auto quality = LinkQualityNamed(value.get<std::string>())) {
                shares = *quality;
                return;
            }
        } else if (value.is_object()) {
            JsonFields f(value, parent.PathOf("linkQuality"), error_);
            LinkShares read(0.0, 0.0, 0.0);
            f.Number("perfect", read.perfect, 0.0, 1000.0);
            f.Number("acceptable", read.acceptable, 0.0, 1000.0);
            f.Number("failed", read.failed, 0.0, 1000.0);
            if (f.Finish()) {
                if (const std::string fault = read.Check(); !fault.empty()) {
                    f.Fail("", fault);
                } else {
                    shares = read;
                }
            }
            return;
        }
        parent.Fail("linkQuality",
                    "must be \"perfect\", \"acceptable\", \"failed\" or the shares "
                    "{\"perfect\": 70, \"acceptable\": 20, \"failed\": 10}");
    }

    void ReadFirmware(const Json& value, JsonFields& f, std::array<uint8_t, 3>& firmware)
    {
        const std::string message = "must be \"MAJOR.MINOR.LETTER\" or a list of three numbers 0..255";
        std::array<int, 3> parts{};
        if (value.is_array() && value.size() == 3) {
            for (size_t i = 0; i < 3; ++i) {
                if (!value[i].is_number_integer() || value[i].get<int64_t>() < 0 || value[i].get<int64_t>() > 255) {
                    f.Fail("firmware", message);
                    return;
                }
                parts[i] = static_cast<int>(value[i].get<int64_t>());
            }
        } else if (value.is_string()) {
            const std::string text = value.get<std::string>();
            size_t start = 0;
            for (size_t i = 0; i < 3; ++i) {
                const size_t dot = i < 2 ? text.find('.', start) : text.size();
                if (dot == std::string::npos || dot == start ||
                    (i == 2 && text.find('.', start) != std::string::npos)) {
                    f.Fail("firmware", message);
                    return;
                }
                const std::string piece = text.substr(start, dot - start);
                if (i == 2 && piece.size() == 1 && piece[0] >= 'A' && piece[0] <= 'Z') {
                    parts[i] = piece[0] - 'A';
                } else if (piece.size() <= 3 && piece.find_first_not_of("0123456789") == std::string::npos &&
                           std::stoi(piece) <= 255) {
                    parts[i] = std::stoi(piece);
                } else {
                    f.Fail("firmware", message);
                    return;
                }
                start = dot + 1;
            }
        } else {
            f.Fail("firmware", message);
            return;
        }
        for (size_t i = 0; i < 3; ++i) {
            firmware[i] = static_cast<uint8_t>(parts[i]);
        }
    }

    void ReadBand(JsonFields& f, SourceBand& band)
    {
        f.Number("lowHz", band.lowHz, 0.0, 5000.0);
        f.Number("highHz", band.highHz, 0.0, 5000.0);
    }

    LeakSource ReadLeak(const Json& value, const std::string& path)
    {
        LeakSource leak;
        JsonFields f(value, path, error_);
        if (!f.Has("positionM")) {
            f.Fail("positionM", "is needed");
        }
        f.Number("positionM", leak.positionMetres, -100000.0, 200000.0);
        f.Number("levelDb", leak.levelDb, -150.0, 60.0);
        ReadBand(f, leak.band);
        f.Finish();
        return leak;
    }

    void ReadDisturbances(const Json& value, const std::string& path, AcousticScene& scene)
    {
        JsonFields f(value, path, error_);
        if (const Json* hum = f.Child("hum")) {
            JsonFields h(*hum, f.PathOf("hum"), error_);
            scene.hum.on = true;
            h.Bool("on", scene.hum.on);
            h.Number("frequencyHz", scene.hum.frequencyHz, 1.0, 2000.0);
            h.Number("levelDb", scene.hum.levelDb, -150.0, 60.0);
            if (const Json* harmonics = h.Child("harmonicsDb")) {
                if (!harmonics->is_array() || harmonics->empty() ||
                    harmonics->size() > static_cast<size_t>(AcousticScene::kMaxHarmonics)) {
                    h.Fail("harmonicsDb",
                           "must be a list of 1 to " + std::to_string(AcousticScene::kMaxHarmonics) + " levels in dB");
                } else {
                    scene.hum.harmonicsDb.clear();
                    for (const Json& db : *harmonics) {
                        if (!db.is_number() || !(std::abs(db.get<double>()) <= 150.0)) {
                            h.Fail("harmonicsDb", "each level must be a number in -150..150 dB");
                            break;
                        }
                        scene.hum.harmonicsDb.push_back(db.get<double>());
                    }
                }
            }
            h.Finish();
        }
        if (const Json* traffic = f.Child("traffic")) {
            JsonFields t(*traffic, f.PathOf("traffic"), error_);
            scene.traffic.on = true;
            t.Bool("on", scene.traffic.on);
            t.Number("levelDb", scene.traffic.levelDb, -150.0, 60.0);
            ReadBand(t, scene.traffic.band);
            t.Number("positionM", scene.traffic.positionMetres, -100000.0, 200000.0);
            t.Number("coherenceLengthM", scene.traffic.coherenceLengthMetres, 0.1, 1e6);
            t.Finish();
        }
        if (const Json* background = f.Child("background")) {
            JsonFields b(*background, f.PathOf("background"), error_);
            scene.background.on = true;
            b.Bool("on", scene.background.on);
            b.Number("levelDb", scene.background.levelDb, -150.0, 60.0);
            b.Number("slopeDbPerOctave", scene.background.slopeDbPerOctave, -24.0, 24.0);
            ReadBand(b, scene.background.band);
            ReadGating(b, scene.background.gating);
            b.Finish();
        }
        if (f.Has("pipeNoise")) {
            scene.pipeNoises.clear();
        }
        ForEach(f, "pipeNoise", 0, AcousticScene::kMaxPipeNoises,
                [&](const Json& item, const std::string& at) { scene.pipeNoises.push_back(ReadPipeNoise(item, at)); });
        if (f.Has("reflections")) {
            scene.reflectors.clear();
        }
        ForEach(f, "reflections", 0, AcousticScene::kMaxReflectors, [&](const Json& item, const std::string& at) {
            Reflector reflector;
            JsonFields r(item, at, error_);
            if (!r.Has("positionM")) {
                r.Fail("positionM", "is needed");
            }
            r.Number("positionM", reflector.positionMetres, -100000.0, 200000.0);
            r.Number("coefficient", reflector.coefficient, -1.0, 1.0);
            r.Finish();
            scene.reflectors.push_back(reflector);
        });
        f.Finish();
    }

    // "comesAndGoes": {"periodS": 20, "onShare": 0.3, "offLevelDb": -100}
    void ReadGating(JsonFields& f, Intermittency& gating)
    {
        if (const Json* value = f.Child("comesAndGoes")) {
            JsonFields g(*value, f.PathOf("comesAndGoes"), error_);
            if (!g.Has("periodS")) {
                g.Fail("periodS", "is needed");
            }
            g.Number("periodS", gating.periodSeconds, 0.1, 3600.0);
            g.Number("onShare", gating.onShare, 0.0, 1.0);
            g.Number("offLevelDb", gating.offLevelDb, -150.0, 0.0);
            g.Finish();
        }
    }

    PipeNoise ReadPipeNoise(const Json& value, const std::string& path)
    {
        JsonFields f(value, path, error_);
        std::string kind;
        f.String("kind", kind);
        PipeNoise noise;
        if (kind == "water-use") {
            noise = PipeNoise::Typical(PipeNoiseKind::WaterUse);
        } else if (kind == "pump") {
            noise = PipeNoise::Typical(PipeNoiseKind::Pump);
        } else if (kind == "pressure-valve") {
            noise = PipeNoise::Typical(PipeNoiseKind::PressureValve);
        } else {
            f.Fail("kind", "must be \"water-use\", \"pump\" or \"pressure-valve\"");
        }
        if (!f.Has("positionM")) {
            f.Fail("positionM", "is needed");
        }
        f.Number("positionM", noise.positionMetres, -100000.0, 200000.0);
        f.Number("levelDb", noise.levelDb, -150.0, 60.0);
        ReadBand(f, noise.band);
        ReadGating(f, noise.gating);
        f.Finish();
        return noise;
    }

    void ReadRecordings(const Json& value, const std::string& path, Scenario& s)
    {
        JsonFields f(value, path, error_);
        for (int unit = 0; unit < kKitUnits; ++unit) {
            const Json* child = f.Child(kUnitNames[unit]);
            if (child == nullptr) {
                continue;
            }
            RecordingSettings recording;
            JsonFields r(*child, f.PathOf(kUnitNames[unit]), error_);
            std::string file;
            std::string format;
            r.String("file", file);
            r.String("format", format);
            if (file.empty()) {
                r.Fail("file", "is needed");
            }
            const std::filesystem::path filePath(file);
            if (format.empty()) {
                std::string extension = filePath.extension().string();
                std::transform(extension.begin(), extension.end(), extension.begin(),
                               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
                format = extension == ".wav"                          ? "wav"
                         : extension == ".flac"                       ? "flac"
                         : extension == ".ogg" || extension == ".oga" ? "ogg"
                                                                      : "";
            }
            if (format == "wav" || format == "flac" || format == "ogg") {
                // The sound file's own header says what it is; the name is for the reader.
                recording.format = RecordingFormat::SoundFile;
            } else if (format == "raw-float32") {
                recording.format = RecordingFormat::RawFloat32;
                if (!r.Has("sampleRateHz")) {
                    r.Fail("sampleRateHz", "is needed for a raw recording");
                }
                r.Number("sampleRateHz", recording.sampleRate, 1.0, 1e7);
                int64_t channels = 1;
                r.Integer("channels", channels, 1, 64);
                recording.channels = static_cast<int>(channels);
            } else {
                r.Fail("format",
                       "must be \"wav\", \"flac\", \"ogg\" or \"raw-float32\" (a file not ending in "
                       ".wav, .flac or .ogg needs it)");
            }
            r.Finish();
            recording.path = (filePath.is_absolute() ? filePath : folder_ / filePath).string();
            s.recordings[static_cast<size_t>(unit)] = recording;
        }
        f.Finish();
    }

    int ReadUnitField(JsonFields& f, bool outstationOnly)
    {
        std::string name;
        f.String("unit", name);
        const int unit = UnitByName(name);
        if (unit < 0 || (outstationOnly && unit == kInterfaceUnit)) {
            f.Fail("unit", outstationOnly ? "must be \"red\", \"blue\" or \"yellow\""
                                          : "must be \"interface\", \"red\", \"blue\" or \"yellow\"");
        }
        return unit;
    }

    TimelineEvent ReadEvent(const Json& value, const std::string& path)
    {
        TimelineEvent event;
        JsonFields f(value, path, error_);
        if (f.Has("at") == f.Has("afterBlocks")) {
            f.Fail("", "needs either \"at\" (seconds after the kit started) or \"afterBlocks\"");
        }
        f.Number("at", event.atSeconds, 0.0, kMaxSeconds);
        if (f.Has("afterBlocks")) {
            int64_t blocks = 0;
            f.Integer("afterBlocks", blocks, 0, int64_t{1} << 40);
            event.afterBlocks = static_cast<uint64_t>(blocks);
        }
        std::string name;
        f.String("event", name);
        if (name == "unit-off" || name == "unit-on") {
            event.action = name == "unit-off" ? TimelineAction::UnitOff : TimelineAction::UnitOn;
            event.unit = ReadUnitField(f, true);
        } else if (name == "sensor-unplugged" || name == "sensor-plugged") {
            event.action = name == "sensor-unplugged" ? TimelineAction::SensorUnplugged : TimelineAction::SensorPlugged;
            event.unit = ReadUnitField(f, false);
        } else if (name == "battery-drain") {
            event.action = TimelineAction::BatteryDrain;
            event.unit = ReadUnitField(f, false);
            if (!f.Has("overSeconds")) {
                f.Fail("overSeconds", "is needed");
            }
            f.Number("overSeconds", event.durationSeconds, 0.0, kMaxSeconds);
            int64_t to = event.battery;
            f.Integer("to", to, 0, 255);
            event.battery = static_cast<uint8_t>(to);
        } else if (name == "charging" || name == "headphones") {
            event.action = name == "charging" ? TimelineAction::Charging : TimelineAction::Headphones;
            const char* key = name == "charging" ? "on" : "plugged";
            if (!f.Has(key)) {
                f.Fail(key, "is needed (true or false)");
            }
            f.Bool(key, event.flag);
        } else if (name == "reset-button") {
            event.action = TimelineAction::ResetButton;
        } else if (name == "frames" || name == "link-dead") {
            event.action = name == "frames" ? TimelineAction::LineFaults : TimelineAction::LinkDead;
            f.Number("forSeconds", event.durationSeconds, 0.0, kMaxSeconds);
            if (name == "frames") {
                f.Number("lose", event.shares.lose, 0.0, 1.0);
                f.Number("corrupt", event.shares.corrupt, 0.0, 1.0);
                if (f.Ok() && event.shares.lose + event.shares.corrupt > 1.0) {
                    f.Fail("", "lost and corrupted shares add up to more than 1");
                }
            }
        } else {
            f.Fail("event",
                   "must be one of unit-off, unit-on, sensor-unplugged, sensor-plugged, battery-drain, "
                   "charging, reset-button, headphones, frames, link-dead");
        }
        f.Finish();
        return event;
    }

    const std::filesystem::path& folder_;
    std::string& error_;
};

}  // namespace

bool ScenarioParser::Parse(std::string_view text, const std::filesystem::path& folder, Scenario& result,
                           std::string& error)
{
    if (text.size() > kMaxTextBytes) {
        error = "the scenario is larger than " + std::to_string(kMaxTextBytes >> 20) + " MiB";
        return false;
    }
    if (NestedTooDeep(text, kMaxNesting)) {
        error = "the scenario nests deeper than " + std::to_string(kMaxNesting) + " levels";
        return false;
    }
    Json root;
    try {
        root = Json::parse(text.begin(), text.end());
    } catch (const Json::exception& e) {
        // Syntax errors, and numbers too large for a double (out_of_range), alike.
        error = std::string("not valid JSON: ") + e.what();
        return false;
    }
    std::string fault;
    Scenario scenario = DefaultScenario();
    Reader reader(folder, fault);
    reader.Read(root, scenario);
    if (fault.empty()) {
        fault = scenario.scene.Check();
    }
    if (!fault.empty()) {
        error = fault;
        return false;
    }
    result = std::move(scenario);
    return true;
}

}  // namespace korvanta::sim
