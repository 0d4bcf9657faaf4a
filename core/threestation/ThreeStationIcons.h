#pragma once

#include <array>
#include <cstdint>
#include <utility>

namespace korvanta {

// Resource IDs of the three-station form's status icons, chosen from what the link reports.
// Units: 0 interface unit, 1 red, 2 blue, 3 yellow.
namespace icon {
inline constexpr int kInterfaceConnected = 305;
inline constexpr int kInterfaceNotConnected = 306;
inline constexpr int kRedUnit = 281;
inline constexpr int kBlueUnit = 278;
inline constexpr int kYellowUnit = 283;
inline constexpr int kAbsentUnit = 307;
inline constexpr int kBatteryLow = 299;
inline constexpr int kBatteryNoReading = 300;
inline constexpr int kSensorAbsent = 250;
inline constexpr int kRedSensor = 189;
inline constexpr int kBlueSensor = 188;
inline constexpr int kYellowSensor = 191;
inline constexpr int kRadioLow = 182;
inline constexpr int kRadioHigh = 181;
inline constexpr int kRadioAbsent = 249;
}  // namespace icon

// The radio mode of high transmit power.
inline constexpr int kRadioModeHigh = 3;

// What the status poll knows of the four units.
struct ThreeStationUnits {
    std::array<bool, 4> present{};  // interface, red, blue, yellow
    std::array<bool, 4> sensor{};   // the interface unit's own sensor is not needed here
    std::array<int, 4> battery{};   // raw values; an absent unit counts as 0
};

// The unit icon (interface connected or not, an outstation's colour or absent).
int UnitIcon(int unit, bool present);
// An outstation's sensor icon by its sensor flag.
int SensorIcon(int unit, bool sensor);
// The radio icon by the main frame's radio mode, or absent.
int RadioIcon(bool present, int radioMode);
// The battery icon of a unit: its four level icons above 190, 126, from 64 and from 14; 2..13
// low; below 2, or an absent unit, no reading.
int BatteryIcon(int unit, bool present, int value);
// The two sensor icons of a pair (6, 12, 10); none (0, 0) for the result view.
std::pair<int, int> PairSensorIcons(int32_t pairCode);

// START needs every unit present and red, blue and yellow with their sensors; a running
// measurement keeps the button usable as STOP whatever drops out.
bool StartButtonEnabled(const ThreeStationUnits& units, bool running);

// The process bar after one more complete set of blocks: 1, 2, 3, 4, 5, then 0 again.
int NextProgress(int position);

}  // namespace korvanta
