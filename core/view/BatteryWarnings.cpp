#include "core/view/BatteryWarnings.h"

#include <array>

#include "core/host/IMessageSink.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

struct UnitWarnings {
    int unit;
    uint32_t low;
    uint32_t flat;
    uint32_t flatStyle;
};

constexpr std::array<UnitWarnings, 4> kWarnings = {{
    {kRedUnit, str::kLowBatteryRed, str::kFlatBatteryRed, kStyleExclamation},
    {kBlueUnit, str::kLowBatteryBlue, str::kFlatBatteryBlue, kStyleExclamation},
    {kYellowUnit, str::kLowBatteryYellow, str::kFlatBatteryYellow, kStyleExclamation},
    {kInterfaceUnit, str::kLowBatteryInterface, str::kFlatBatteryInterface, kStyleStop},
}};

constexpr int kCriticalInterfaceRaw = 1;

}  // namespace

std::vector<MessageRequest> BatteryWarnings(const UnitStatusPanel& panel)
{
    std::vector<MessageRequest> warnings;
    for (const UnitWarnings& unit : kWarnings) {
        if (!panel.Present(unit.unit)) {
            continue;
        }
        const int level = BatteryLevel(panel.RawBattery(unit.unit));
        if (level == 1) {
            warnings.push_back({unit.low, kStyleExclamation});
        } else if (level == 0) {
            warnings.push_back({unit.flat, unit.flatStyle});
        }
    }
    return warnings;
}

bool InterfaceBatteryCritical(int interfaceRaw)
{
    return interfaceRaw == kCriticalInterfaceRaw;
}

}  // namespace korvanta
