#include "core/diagnostics/SystemStatusImages.h"

namespace korvanta::SystemStatusImages {

namespace {

constexpr int kBatteryImages[kUnits][kLevels] = {
    {207, 257, 214, 187, 211, 217, 266},
    {207, 258, 215, 183, 212, 218, 266},
    {207, 256, 210, 185, 209, 208, 266},
    {207, 259, 216, 186, 213, 219, 266},
};
constexpr int kSensorIcons[kUnits] = {190, 189, 188, 191};

bool ValidUnit(int unit)
{
    return unit >= 0 && unit < kUnits;
}

}  // namespace

int BatteryLevel(int raw)
{
    if (raw <= 0 || raw > 255) {
        return kUnknownLevel;
    }
    if (raw <= 13) {
        return 0;
    }
    if (raw <= 39) {
        return 1;
    }
    if (raw <= 64) {
        return 2;
    }
    if (raw <= 127) {
        return 3;
    }
    if (raw <= 191) {
        return 4;
    }
    return 5;
}

int BatteryImage(int unit, int level)
{
    if (!ValidUnit(unit) || level < 0 || level >= kLevels) {
        return kBatteryImages[0][kUnknownLevel];
    }
    return kBatteryImages[unit][level];
}

int RadioIcon(bool present, int radioMode)
{
    if (!present) {
        return kRadioAbsentIcon;
    }
    return radioMode == 3 ? kRadioHighIcon : kRadioLowIcon;
}

int SensorIcon(int unit, bool present, bool sensor)
{
    return present && sensor && ValidUnit(unit) ? kSensorIcons[unit] : kNoSensorIcon;
}

}  // namespace korvanta::SystemStatusImages
