#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korvanta {

// The user's settings kept between runs, with their first-run defaults.
struct AppSettingsValues {
    static constexpr int kDefaultSensors = 6;  // red and blue
    static constexpr const char* kDefaultComPort = "COM1";
    static constexpr size_t kMaxComPortLength = 256;

    int lengthUnit = 0;  // UnitSystem: 0 metric, 1 imperial
    int timeUnit = 0;    // TimeUnit: 0 seconds, 1 milliseconds
    int sensors = kDefaultSensors;
    std::string comPort = kDefaultComPort;
};

// The values as read from the settings store: nothing where a value is missing or not a whole
// number (or text). Each value of the wrong kind or out of range takes its default.
struct RawAppSettings {
    std::optional<long long> lengthUnit;
    std::optional<long long> timeUnit;
    std::optional<long long> sensors;
    std::optional<std::string> comPort;
};

AppSettingsValues SanitizeAppSettings(const RawAppSettings& raw);

}  // namespace korvanta
