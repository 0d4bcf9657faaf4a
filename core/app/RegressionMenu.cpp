#include "core/app/RegressionMenu.h"

#include <array>

#include "core/app/CommandIds.h"

namespace korvanta {

namespace {

constexpr MenuEntry Item(uint32_t id, const char* caption)
{
    return {MenuEntryKind::Command, id, caption, CommandGroup::None, EnableRule::Always};
}
constexpr MenuEntry Popup(const char* caption)
{
    return {MenuEntryKind::PopupBegin, 0, caption, CommandGroup::None, EnableRule::Always};
}
constexpr MenuEntry End()
{
    return {MenuEntryKind::PopupEnd, 0, "", CommandGroup::None, EnableRule::Always};
}

constexpr auto kRegressionMenu = std::to_array<MenuEntry>({
    Popup("&Filer"),
    Item(cmd::kRegressionNew, "&Ny"),
    Item(cmd::kRegressionOpen, "&Åben"),
    Item(cmd::kRegressionSave, "&Gem"),
    Item(cmd::kRegressionClose, "&Luk"),
    End(),
    Popup("&Statisk sensor"),
    Item(cmd::kRegressionStaticInterface, "&Interface"),
    Item(cmd::kRegressionStaticRed, "&Rød"),
    Item(cmd::kRegressionStaticBlue, "&Blå"),
    Item(cmd::kRegressionStaticYellow, "&Gul"),
    End(),
    Popup("&Data"),
    End(),
    Item(cmd::kRegressionInformation, "&Information"),
});

// Unit number order: interface unit, red, blue, yellow.
constexpr std::array<uint32_t, 4> kSensorCommands = {cmd::kRegressionStaticInterface, cmd::kRegressionStaticRed,
                                                     cmd::kRegressionStaticBlue, cmd::kRegressionStaticYellow};

}  // namespace

std::span<const MenuEntry> RegressionMenu()
{
    return kRegressionMenu;
}

std::optional<uint32_t> StaticSensorOfCommand(uint32_t id)
{
    for (uint32_t sensor = 0; sensor < kSensorCommands.size(); ++sensor) {
        if (kSensorCommands[sensor] == id) {
            return sensor;
        }
    }
    return std::nullopt;
}

uint32_t CommandOfStaticSensor(uint32_t sensor)
{
    return sensor < kSensorCommands.size() ? kSensorCommands[sensor] : 0;
}

}  // namespace korvanta
