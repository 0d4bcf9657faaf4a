#include "core/threestation/ThreeStationIcons.h"

#include <algorithm>

namespace korvanta {

namespace {

constexpr int kUnits = 4;
constexpr std::array<int, kUnits> kPresentIcons = {icon::kInterfaceConnected, icon::kRedUnit, icon::kBlueUnit,
                                                   icon::kYellowUnit};
constexpr std::array<int, kUnits> kSensorIcons = {icon::kSensorAbsent, icon::kRedSensor, icon::kBlueSensor,
                                                  icon::kYellowSensor};
// The first of each unit's four battery level icons.
constexpr std::array<int, kUnits> kFirstLevelIcons = {301, 287, 291, 295};
constexpr int kProgressSteps = 5;

bool ValidUnit(int unit)
{
    return unit >= 0 && unit < kUnits;
}

}  // namespace

int UnitIcon(int unit, bool present)
{
    if (!ValidUnit(unit)) {
        return icon::kAbsentUnit;
    }
    if (unit == 0) {
        return present ? icon::kInterfaceConnected : icon::kInterfaceNotConnected;
    }
    return present ? kPresentIcons[static_cast<size_t>(unit)] : icon::kAbsentUnit;
}

int SensorIcon(int unit, bool sensor)
{
    return ValidUnit(unit) && unit > 0 && sensor ? kSensorIcons[static_cast<size_t>(unit)] : icon::kSensorAbsent;
}

int RadioIcon(bool present, int radioMode)
{
    if (!present) {
        return icon::kRadioAbsent;
    }
    return radioMode == kRadioModeHigh ? icon::kRadioHigh : icon::kRadioLow;
}

int BatteryIcon(int unit, bool present, int value)
{
    if (!ValidUnit(unit) || !present || value < 2) {
        return icon::kBatteryNoReading;
    }
    const int first = kFirstLevelIcons[static_cast<size_t>(unit)];
    if (value > 190) {
        return first + 3;
    }
    if (value > 126) {
        return first + 2;
    }
    if (value >= 64) {
        return first + 1;
    }
    if (value >= 14) {
        return first;
    }
    return icon::kBatteryLow;
}

std::pair<int, int> PairSensorIcons(int32_t pairCode)
{
    switch (pairCode) {
    case 6:
        return {icon::kRedUnit, icon::kBlueUnit};
    case 10:
        return {icon::kRedUnit, icon::kYellowUnit};
    case 12:
        return {icon::kBlueUnit, icon::kYellowUnit};
    default:
        return {0, 0};
    }
}

bool StartButtonEnabled(const ThreeStationUnits& units, bool running)
{
    const bool allPresent = std::all_of(units.present.begin(), units.present.end(), [](bool p) { return p; });
    const bool allSensors = units.sensor[1] && units.sensor[2] && units.sensor[3];
    return running || (allPresent && allSensors);
}

int NextProgress(int position)
{
    return position >= kProgressSteps ? 0 : position + 1;
}

}  // namespace korvanta
