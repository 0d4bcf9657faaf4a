#pragma once

namespace korvanta {

// The pictures of the system status dialog, by resource number: battery per unit and level,
// the charging picture, the radio and sensor icons.
namespace SystemStatusImages {

inline constexpr int kUnits = 4;
inline constexpr int kLevels = 7;
inline constexpr int kChargingImage = 238;
inline constexpr int kRadioHighIcon = 181;
inline constexpr int kRadioLowIcon = 182;
inline constexpr int kRadioAbsentIcon = 249;
inline constexpr int kNoSensorIcon = 250;
inline constexpr int kUnknownLevel = 6;

// A raw battery value as a level 0..6: 0 flat .. 5 full, 6 unknown (no value or out of range).
int BatteryLevel(int raw);
int BatteryImage(int unit, int level);
int RadioIcon(bool present, int radioMode);
int SensorIcon(int unit, bool present, bool sensor);

}  // namespace SystemStatusImages

}  // namespace korvanta
