#include "sim/KitOptions.h"

#include <algorithm>
#include <cmath>

#include "sim/LeakNoiseGenerator.h"
#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

namespace {

// Eight external inputs and three internal supplies, in volts.
constexpr std::array<double, kDiagnosticsChannels> kTypicalVolts = {1.20, 0.98, 1.50, 0.75, 1.10, 0.40,
                                                                    1.80, 0.95, 1.65, 1.23, 0.50};

bool IsShare(double value)
{
    return std::isfinite(value) && value >= 0.0 && value <= 1.0;
}

}  // namespace

KitOptions::KitOptions() : units(DefaultUnits()) {}

uint16_t DiagnosticsCounts(double volts)
{
    if (!std::isfinite(volts) || volts <= 0.0) {
        return 0;
    }
    return static_cast<uint16_t>(std::min(std::lround(volts * 1023.0 / 2.0), 65535L));
}

std::array<UnitSettings, kKitUnits> DefaultUnits()
{
    std::array<UnitSettings, kKitUnits> units{};
    for (int unit = 0; unit < kKitUnits; ++unit) {
        for (int channel = 0; channel < kDiagnosticsChannels; ++channel) {
            // Each unit a little apart, so that a mixed-up reply shows.
            units[unit].diagnostics[channel] = DiagnosticsCounts(kTypicalVolts[channel] + 0.02 * unit);
        }
    }
    units[kInterfaceUnit].sensor = false;
    units[kInterfaceUnit].battery = 180;
    return units;
}

std::string CheckKitOptions(const KitOptions& options)
{
    if (const std::string fault = options.pipe.Check(); !fault.empty()) {
        return fault;
    }
    LeakNoiseConfig noise;
    noise.lowHz = options.lowHz;
    noise.highHz = options.highHz;
    noise.sourceRms = options.sourceRms;
    for (int unit = 0; unit < kKitUnits; ++unit) {
        noise.stations.push_back({options.pipe.DelayOf(unit), options.units[unit].snrDb});
    }
    if (const std::string fault = LeakNoiseGenerator::Check(noise); !fault.empty()) {
        return fault;
    }
    const LineFaultShares& shares = options.lineFaults;
    if (!IsShare(shares.lose) || !IsShare(shares.corrupt) || shares.lose + shares.corrupt > 1.0) {
        return "the shares of lost and corrupted frames must lie in 0..1 and add up to at most 1";
    }
    if (options.resetAfterSeconds && (!std::isfinite(*options.resetAfterSeconds) || *options.resetAfterSeconds < 0.0)) {
        return "the reset button can only be pressed a positive number of seconds after start";
    }
    for (const UnitSettings& unit : options.units) {
        if (!std::isfinite(unit.lateAnswerSeconds) || unit.lateAnswerSeconds < 0.0) {
            return "a unit can only answer a positive number of seconds late";
        }
        if (const std::string fault = unit.linkQuality.Check(); !fault.empty()) {
            return fault;
        }
    }
    if (options.scenario) {
        return CheckScenarioForKit(*options.scenario);
    }
    return {};
}

}  // namespace korvanta::sim
