#pragma once

#include "gui/forms/DialogTemplate.h"

namespace korvanta::gui {

// Control IDs of the two-station form (template 101).
namespace view101 {
inline constexpr int kResultGroup = 1000;
inline constexpr int kGraph = 1015;
inline constexpr int kLayout = 1382;
inline constexpr int kSlider = 1009;
inline constexpr int kDistance1 = 1049;
inline constexpr int kDistance2 = 1050;
inline constexpr int kLeftLimit = 1367;
inline constexpr int kStepLeft = 1125;
inline constexpr int kToPeak = 1369;
inline constexpr int kStepRight = 1126;
inline constexpr int kRightLimit = 1372;
inline constexpr int kZoomOut = 32854;
inline constexpr int kZoomIn = 32855;
inline constexpr int kDelimitationGroup = 1157;
inline constexpr int kSetPoint = 1156;
inline constexpr int kRemove = 1003;
inline constexpr int kInformationGroup = 1004;
inline constexpr int kDelay = 1051;
inline constexpr int kDelayUnit = 1122;
inline constexpr int kBlockCount = 1052;
inline constexpr int kElapsed = 1366;
inline constexpr int kActivity = 1492;
inline constexpr int kFilterGroup = 1002;
inline constexpr int kLowCutoff = 1079;
inline constexpr int kHighCutoff = 1081;
inline constexpr int kMaterial = 1640;
inline constexpr int kPresets = 1642;
inline constexpr int kFileGroup = 1422;
inline constexpr int kFileName = 1041;
inline constexpr int kStartStop = 1319;
inline constexpr int kStatusGroup = 1423;
// How sure the result is, one line under the pipe strip.
inline constexpr int kVerdict = 1650;

// Status panel: per position (0 left of the graph, 1 right of it, 2 in "Enhedsstatus") the unit
// picture, the radio icon, the battery gauge and the sensor icon.
inline constexpr int kUnitPicture[3] = {1601, 1611, 1621};
inline constexpr int kRadioIcon[3] = {1602, 1612, 1622};
inline constexpr int kBatteryGauge[3] = {1603, 1613, 1623};
inline constexpr int kSensorIcon[3] = {1604, 1614, 1624};

// Fixed texts of the form.
inline constexpr int kDelayLabel = 2101;
inline constexpr int kBlockCountLabel = 2102;
inline constexpr int kElapsedLabel = 2103;
inline constexpr int kActivityLabel = 2104;
inline constexpr int kLowLabel = 2105;
inline constexpr int kHighLabel = 2106;
inline constexpr int kLowHz = 2107;
inline constexpr int kHighHz = 2108;
inline constexpr int kMaterialLabel = 2109;
inline constexpr int kPresetLabel = 2110;
}  // namespace view101

const DialogTemplate& TwoStationFormTemplate();

}  // namespace korvanta::gui
