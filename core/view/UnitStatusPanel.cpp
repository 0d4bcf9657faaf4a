#include "core/view/UnitStatusPanel.h"

namespace korvanta {

namespace {

bool Selected(int pairCode, int unit)
{
    return (pairCode & (1 << unit)) != 0;
}

}  // namespace

int BatteryLevel(int raw)
{
    if (raw >= 1 && raw <= 13) {
        return 0;
    }
    if (raw >= 14 && raw <= 39) {
        return 1;
    }
    if (raw >= 40 && raw <= 64) {
        return 2;
    }
    if (raw >= 65 && raw <= 127) {
        return 3;
    }
    if (raw >= 128 && raw <= 191) {
        return 4;
    }
    if (raw >= 192 && raw <= 255) {
        return 5;
    }
    return kUnknownBatteryLevel;
}

UnitStatusPanel::UnitStatusPanel()
{
    positions_[2].picture = kInterfaceUnit;
    positions_[2].unit = kInterfaceUnit;
}

bool UnitStatusPanel::UnitsOfPair(int pairCode, int& position0, int& position1)
{
    switch (pairCode) {
    case 3:
        position0 = kRedUnit, position1 = kInterfaceUnit;
        return true;
    case 5:
        position0 = kBlueUnit, position1 = kInterfaceUnit;
        return true;
    case 6:
        position0 = kRedUnit, position1 = kBlueUnit;
        return true;
    case 9:
        position0 = kYellowUnit, position1 = kInterfaceUnit;
        return true;
    case 10:
        position0 = kRedUnit, position1 = kYellowUnit;
        return true;
    case 12:
        position0 = kBlueUnit, position1 = kYellowUnit;
        return true;
    default:
        return false;
    }
}

void UnitStatusPanel::SetCombination(int pairCode)
{
    int first = kNoUnit;
    int second = kNoUnit;
    if (UnitsOfPair(pairCode, first, second)) {
        positions_[0].picture = first;
        positions_[1].picture = second;
    }
}

void UnitStatusPanel::SetUnitStatus(int unit, bool present, bool sensor)
{
    if (unit < 0 || unit >= kStatusUnits) {
        return;
    }
    present_[static_cast<size_t>(unit)] = present ? 1 : 0;
    sensor_[static_cast<size_t>(unit)] = sensor ? 1 : 0;
}

void UnitStatusPanel::SetCharge(const std::array<int, kStatusUnits>& raw, bool charging)
{
    raw_ = raw;
    charging_ = charging;
}

void UnitStatusPanel::Refresh(int pairCode, int radioMode)
{
    if (Selected(pairCode, kRedUnit)) {
        RefreshPosition(0, kRedUnit, radioMode);
    }
    if (Selected(pairCode, kBlueUnit)) {
        RefreshPosition(Selected(pairCode, kRedUnit) ? 1 : 0, kBlueUnit, radioMode);
    }
    if (Selected(pairCode, kYellowUnit)) {
        RefreshPosition(Selected(pairCode, kInterfaceUnit) ? 0 : 1, kYellowUnit, radioMode);
    }
    if (Selected(pairCode, kInterfaceUnit)) {
        RefreshPosition(1, kInterfaceUnit, radioMode);
    }
    RefreshPosition(2, kInterfaceUnit, radioMode);
    positions_[2].charging = charging_;
}

void UnitStatusPanel::RefreshPosition(int position, int unit, int radioMode)
{
    Position& shown = positions_[static_cast<size_t>(position)];
    const bool present = Present(unit);
    shown.unit = unit;
    shown.radio = !present ? RadioIcon::Absent : (radioMode == kRadioModeHigh ? RadioIcon::High : RadioIcon::Low);
    shown.batteryLevel = present ? BatteryLevel(RawBattery(unit)) : kUnknownBatteryLevel;
    shown.charging = false;
    shown.sensor = present && Sensor(unit);
}

}  // namespace korvanta
