#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/app/MainMenu.h"

namespace korvanta {

// The regression dialog's own menu: "&Filer" (new, open, save, close), "&Statisk sensor" (the
// four units), "&Data" and the command "&Information" on the bar itself.
std::span<const MenuEntry> RegressionMenu();

// The static sensor a menu command chooses (0 interface unit .. 3 yellow), or nothing for
// another command; and the command that shows a sensor.
std::optional<uint32_t> StaticSensorOfCommand(uint32_t id);
uint32_t CommandOfStaticSensor(uint32_t sensor);

}  // namespace korvanta
