#pragma once

#include <string>
#include <string_view>

namespace korvanta::orvelink {

// Port paths arrive in the device-namespace form "\\.\COM1". The prefix means something only to
// Windows; elsewhere, and for names of registered transports, it is dropped.
class PortName {
public:
    static std::string WithoutDevicePrefix(std::string_view path);
    // The path to hand to the serial port layer on this platform.
    static std::string ForSerialPort(std::string_view path);
};

}  // namespace korvanta::orvelink
