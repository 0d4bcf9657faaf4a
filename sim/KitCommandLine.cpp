#include "sim/KitCommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "core/text/NumberText.h"
#include "sim/scenario/ScenarioFile.h"
#include "sim/scenario/ScenarioKitOptions.h"

namespace korvanta::sim {

namespace {

std::optional<double> ParseNumber(const std::string& text)
{
    if (text.empty()) {
        return std::nullopt;
    }
    return ParseDecimal(text);
}

std::optional<long> ParseWhole(const std::string& text, long min, long max)
{
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

// "UNIT:REST" with a valid unit; `outstationOnly` refuses the interface unit.
std::optional<std::pair<int, std::string>> UnitAndValue(const std::string& text, bool outstationOnly)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    const int unit = ParseUnitName(text.substr(0, colon));
    if (unit < 0 || (outstationOnly && unit == kInterfaceUnit)) {
        return std::nullopt;
    }
    return std::make_pair(unit, text.substr(colon + 1));
}

std::optional<std::array<uint8_t, 3>> ParseFirmware(const std::string& text)
{
    std::array<uint8_t, 3> bytes{};
    size_t start = 0;
    for (size_t part = 0; part < 3; ++part) {
        const size_t dot = text.find('.', start);
        if ((part < 2) == (dot == std::string::npos)) {
            return std::nullopt;
        }
        const std::string piece = text.substr(start, part < 2 ? dot - start : std::string::npos);
        if (part == 2 && piece.size() == 1 && piece[0] >= 'A' && piece[0] <= 'Z') {
            bytes[part] = static_cast<uint8_t>(piece[0] - 'A');
        } else if (const auto value = ParseWhole(piece, 0, 255)) {
            bytes[part] = static_cast<uint8_t>(*value);
        } else {
            return std::nullopt;
        }
        start = dot + 1;
    }
    return bytes;
}

// A quality by name, or the shares of perfect, acceptable and failed tests as "P/A/F".
std::optional<LinkShares> ParseLinkShares(const std::string& text)
{
    if (const auto quality = LinkQualityNamed(text)) {
        return LinkShares(*quality);
    }
    const size_t first = text.find('/');
    const size_t second = first == std::string::npos ? first : text.find('/', first + 1);
    if (second == std::string::npos) {
        return std::nullopt;
    }
    const auto perfect = ParseNumber(text.substr(0, first));
    const auto acceptable = ParseNumber(text.substr(first + 1, second - first - 1));
    const auto failed = ParseNumber(text.substr(second + 1));
    if (!perfect || !acceptable || !failed) {
        return std::nullopt;
    }
    const LinkShares shares(*perfect, *acceptable, *failed);
    return shares.Check().empty() ? std::optional(shares) : std::nullopt;
}

using Setter = std::function<bool(const std::string&, KitOptions&)>;

// Options that take a value, each with what it does to the kit's options; false = bad value.
const std::map<std::string, Setter>& ValueOptions()
{
    static const std::map<std::string, Setter> options = {
        {"pipe-length",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             return n && (o.pipe.lengthMetres = *n, true);
         }},
        {"velocity",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             return n && (o.pipe.velocity = *n, true);
         }},
        {"leak-distance",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             return n && (o.pipe.leakMetres = *n, true);
         }},
        {"yellow-position",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             return n && (o.pipe.yellowMetres = *n, true);
         }},
        {"interface-position",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             return n && (o.pipe.interfaceMetres = *n, true);
         }},
        {"snr",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             if (!n)
                 return false;
             for (UnitSettings& unit : o.units)
                 unit.snrDb = *n;
             return true;
         }},
        {"band",
         [](const std::string& v, KitOptions& o) {
             const auto colon = v.find(':');
             if (colon == std::string::npos)
                 return false;
             const auto low = ParseNumber(v.substr(0, colon));
             const auto high = ParseNumber(v.substr(colon + 1));
             return low && high && (o.lowHz = *low, o.highHz = *high, true);
         }},
        {"seed",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseWhole(v, 0, 0x7FFFFFFF);
             return n && (o.seed = static_cast<uint64_t>(*n), true);
         }},
        {"off",
         [](const std::string& v, KitOptions& o) {
             const int unit = ParseUnitName(v);
             return unit > 0 && (o.units[unit].on = false, true);
         }},
        {"no-sensor",
         [](const std::string& v, KitOptions& o) {
             const int unit = ParseUnitName(v);
             return unit >= 0 && (o.units[unit].sensor = false, true);
         }},
        {"faulty",
         [](const std::string& v, KitOptions& o) {
             const int unit = ParseUnitName(v);
             return unit > 0 && (o.units[unit].faulty = true, true);
         }},
        {"battery",
         [](const std::string& v, KitOptions& o) {
             const auto parts = UnitAndValue(v, false);
             const auto value = parts ? ParseWhole(parts->second, 0, 255) : std::nullopt;
             return value && (o.units[parts->first].battery = static_cast<uint8_t>(*value), true);
         }},
        {"firmware",
         [](const std::string& v, KitOptions& o) {
             const auto parts = UnitAndValue(v, false);
             const auto bytes = parts ? ParseFirmware(parts->second) : std::nullopt;
             return bytes && (o.units[parts->first].firmware = *bytes, true);
         }},
        {"link-quality",
         [](const std::string& v, KitOptions& o) {
             const auto parts = UnitAndValue(v, true);
             const auto shares = parts ? ParseLinkShares(parts->second) : std::nullopt;
             return shares && (o.units[parts->first].linkQuality = *shares, true);
         }},
        {"reset-after",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             return n && (o.resetAfterSeconds = *n, true);
         }},
        {"lose",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             return n && (o.lineFaults.lose = *n, true);
         }},
        {"corrupt",
         [](const std::string& v, KitOptions& o) {
             const auto n = ParseNumber(v);
             return n && (o.lineFaults.corrupt = *n, true);
         }},
    };
    return options;
}

// Options of the simple model that a scenario file replaces.
const std::set<std::string> kSimpleModelOptions = {"pipe-length",        "velocity", "leak-distance", "yellow-position",
                                                   "interface-position", "snr",      "band"};

// Loads --scenario FILE, wherever it stands, into the base options of `parsed`.
bool ReadScenarioOption(const std::vector<std::string>& args, KitCommandLine& parsed,
                        std::shared_ptr<Scenario>& scenario, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--scenario") {
            continue;
        }
        if (scenario) {
            error = "--scenario may be given once";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = "--scenario needs a value";
            return false;
        }
        parsed.scenarioPath = args[i + 1];
        scenario = std::make_shared<Scenario>();
        if (!LoadScenarioFile(parsed.scenarioPath, *scenario, error, &parsed.warnings)) {
            return false;
        }
        parsed.options = ScenarioKitOptions(scenario);
    }
    return true;
}

}  // namespace

int ParseUnitName(const std::string& text)
{
    static const std::map<std::string, int> names = {{"interface", 0}, {"red", 1}, {"blue", 2}, {"yellow", 3},
                                                     {"0", 0},         {"1", 1},   {"2", 2},    {"3", 3}};
    const auto found = names.find(text);
    return found == names.end() ? -1 : found->second;
}

std::string KitUsage()
{
    return "usage: korvanta-sim --link PATH [options]\n"
           "  --link PATH                 publish the simulated port as a symbolic link at PATH\n"
           "  --scenario FILE             pipe, sensors, leaks, disturbances, unit states and a\n"
           "                              timeline of faults from a scenario file (JSON)\n"
           "  --fast                      no line pacing, no radio delays, blocks as soon as asked\n"
           "  --pipe-length METRES        red at 0, blue at the far end (default 200)\n"
           "  --velocity M/S              sound velocity in the pipe (default 1200)\n"
           "  --leak-distance METRES      the leak's distance from red (default 80)\n"
           "  --yellow-position METRES    yellow's place along the pipe (default 1.5 x length)\n"
           "  --interface-position METRES the interface unit's sensor (default: beside blue)\n"
           "  --snr DB                    leak noise over each sensor's own noise (default 20)\n"
           "  --band LOW:HIGH             band of the leak noise in Hz (default 100:800)\n"
           "  --seed N                    seed of the noise, the line faults and the radio tests (default 1)\n"
           "  --off UNIT                  an outstation switched off (repeatable)\n"
           "  --no-sensor UNIT            a unit without its sensor (repeatable)\n"
           "  --faulty UNIT               an outstation that reports a fault (repeatable)\n"
           "  --interface-sensor          the interface unit carries a sensor of its own\n"
           "  --battery UNIT:VALUE        raw battery value 0..255 (repeatable)\n"
           "  --firmware UNIT:MAJ.MIN.LETTER  version bytes, e.g. red:1.5.A (repeatable)\n"
           "  --link-quality UNIT:perfect|acceptable|failed|P/A/F  radio test outcome, or the shares of\n"
           "                              perfect, acceptable and failed tests, e.g. 70/20/10 (repeatable)\n"
           "  --charging                  the interface unit is on its charger\n"
           "  --no-headphones             no headphones on the interface unit\n"
           "  --reset-after SECONDS       press the reset button this long after start\n"
           "  --lose SHARE                lose this share (0..1) of the frames both ways\n"
           "  --corrupt SHARE             damage this share (0..1) of the frames both ways\n"
           "UNIT is interface, red, blue, yellow or 0..3.\n";
}

bool ParseKitCommandLine(const std::vector<std::string>& args, KitCommandLine& result, std::string& error)
{
    KitCommandLine parsed;
    std::shared_ptr<Scenario> scenario;
    if (!ReadScenarioOption(args, parsed, scenario, error)) {
        return false;
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--fast") {
            parsed.options.paced = false;
        } else if (arg == "--interface-sensor") {
            parsed.options.units[kInterfaceUnit].sensor = true;
        } else if (arg == "--charging") {
            parsed.options.charging = true;
        } else if (arg == "--no-headphones") {
            parsed.options.headphones = false;
        } else if (arg.starts_with("--")) {
            const std::string name = arg.substr(2);
            const auto option = ValueOptions().find(name);
            if (name != "link" && name != "scenario" && option == ValueOptions().end()) {
                error = "unknown option '" + arg + "'";
                return false;
            }
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (scenario && kSimpleModelOptions.contains(name)) {
                error = arg + " has no effect with --scenario: the scenario file describes the pipe";
                return false;
            }
            if (name == "link") {
                parsed.linkPath = value;
            } else if (name == "scenario") {
                // Read before the loop.
            } else if (!option->second(value, parsed.options)) {
                error = "bad value '" + value + "' for " + arg;
                return false;
            }
        } else {
            error = "unexpected argument '" + arg + "'";
            return false;
        }
    }
    if (scenario) {
        // --seed seeds the scenario's noise as well as the line faults.
        scenario->scene.seed = parsed.options.seed;
        parsed.options.scenario = scenario;
    }
    if (parsed.help) {
        result = parsed;
        return true;
    }
    if (parsed.linkPath.empty()) {
        error = "--link PATH is required";
        return false;
    }
    if (const std::string fault = CheckKitOptions(parsed.options); !fault.empty()) {
        error = fault;
        return false;
    }
    result = parsed;
    return true;
}

}  // namespace korvanta::sim
