#pragma once

#include <string>
#include <vector>

namespace korvanta::gui {

// The serial ports the machine has, as the port library lists them (device paths such as
// /dev/ttyUSB0, or COM3 on Windows), sorted by name.
std::vector<std::string> ListSerialPorts();

}  // namespace korvanta::gui
