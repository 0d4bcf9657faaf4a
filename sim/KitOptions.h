#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "sim/LinkShares.h"
#include "sim/PipeLayout.h"

namespace korvanta::sim {

struct Scenario;

// Unit numbers: 0 the interface unit, 1 red, 2 blue, 3 yellow.
inline constexpr int kKitUnits = 4;
inline constexpr int kInterfaceUnit = 0;
inline constexpr int kDiagnosticsChannels = 11;

// One unit as the kit starts with it; the kit keeps the live state in the same form.
struct UnitSettings {
    bool on = true;                               // outstations: answers by radio (the interface unit is always on)
    bool sensor = true;                           // a sensor is plugged in
    bool faulty = false;                          // outstations: reports a fault when asked to sample
    uint8_t battery = 200;                        // raw battery value 0..255
    std::array<uint8_t, 3> firmware = {2, 0, 2};  // version bytes; 2, 0, 2 reads "...-200C"
    LinkShares linkQuality;                       // outstations: how their radio tests come out
    std::array<uint16_t, kDiagnosticsChannels> diagnostics{};  // raw readings, 1023 = 2 V
    double snrDb = 20.0;                                       // leak noise over the sensor's own noise, in dB
    double lateAnswerSeconds = 0.0;  // outstations, paced kit: every radio answer comes this much later
};

// A share of the frames crossing the line that is lost or damaged, in either direction.
struct LineFaultShares {
    double lose = 0.0;
    double corrupt = 0.0;
};

struct KitOptions {
    // Real block rate, radio delays and a 57600-baud line; false answers as fast as asked.
    bool paced = true;
    std::array<UnitSettings, kKitUnits> units;
    bool charging = false;   // the interface unit is on its charger
    bool headphones = true;  // headphones are plugged into the interface unit
    PipeLayout pipe;
    double lowHz = 100.0;  // band of the leak noise
    double highHz = 800.0;
    double sourceRms = 1000.0;
    uint64_t seed = 1;
    std::optional<double> resetAfterSeconds;  // the reset button is pressed this long after start
    LineFaultShares lineFaults;
    // The pipe's acoustics (or recordings) and a timeline of events in place of `pipe`, the band,
    // the source level and the units' snrDb; null for that simple model. The units' states, the
    // charger, the headphones and the line faults above still apply (ScenarioKitOptions sets
    // them from the scenario).
    std::shared_ptr<const Scenario> scenario;

    KitOptions();
};

// The units of a freshly charged kit: every outstation on with a sensor, the interface unit
// without a sensor of its own, plausible supply voltages.
std::array<UnitSettings, kKitUnits> DefaultUnits();

// Raw diagnostics reading of a voltage (1023 counts = 2 V), clamped to the 16-bit field.
uint16_t DiagnosticsCounts(double volts);

// Empty when the kit can run with these options, else what is wrong with them.
std::string CheckKitOptions(const KitOptions& options);

}  // namespace korvanta::sim
