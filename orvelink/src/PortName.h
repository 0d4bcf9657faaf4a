#pragma once

#include <string>
#include <string_view>

namespace korvanta::orvelink {

// Port paths arrive in the device-namespace form "\\.\COM1". The serial port layer takes the
// bare name on every platform: on Windows it adds the prefix itself (a path that keeps it would
// get it twice and never open), elsewhere the prefix means nothing. Registered transports are
// found by their bare name too.
class PortName {
public:
    enum class Platform { Windows, Posix };
#if defined(_WIN32)
    static constexpr Platform kHost = Platform::Windows;
#else
    static constexpr Platform kHost = Platform::Posix;
#endif

    static std::string WithoutDevicePrefix(std::string_view path)
    {
        for (const std::string_view prefix : {std::string_view("\\\\.\\"), std::string_view("//./")}) {
            if (path.starts_with(prefix)) {
                path.remove_prefix(prefix.size());
                break;
            }
        }
        return std::string(path);
    }

    // The path to hand to the serial port layer on `platform`.
    static std::string ForSerialPort(std::string_view path, Platform platform = kHost)
    {
        (void)platform;  // the same mapping on both; the platform is named so callers and tests see it
        return WithoutDevicePrefix(path);
    }
};

}  // namespace korvanta::orvelink
