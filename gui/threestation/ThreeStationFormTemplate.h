#pragma once

#include "gui/forms/DialogTemplate.h"

namespace korvanta::gui {

// Control IDs of the three-station form (template 286).
namespace ctl3 {
inline constexpr int kStart = 1534;
inline constexpr int kChart = 1528;
inline constexpr int kPairSensor1 = 1530;
inline constexpr int kPairSensor2 = 1531;
inline constexpr int kRedBlue = 1536;
inline constexpr int kBlueYellow = 1537;
inline constexpr int kRedYellow = 1538;
inline constexpr int kResult = 1544;
inline constexpr int kLowCutoff = 1550;
inline constexpr int kHighCutoff = 1551;
inline constexpr int kDelay = 1559;
inline constexpr int kQuality = 1560;
inline constexpr int kMeasuringTime = 1561;
inline constexpr int kProgress = 1562;
inline constexpr int kDelayUnit = 1563;
inline constexpr int kVelocity = 1567;
inline constexpr int kVelocityUnit = 1582;
inline constexpr int kInterfaceUnit = 1548;
inline constexpr int kRedUnit = 1553;
inline constexpr int kBlueUnit = 1570;
inline constexpr int kYellowUnit = 1571;
inline constexpr int kInterfaceBattery = 1543;
inline constexpr int kRedBattery = 1539;
inline constexpr int kBlueBattery = 1540;
inline constexpr int kYellowBattery = 1564;
inline constexpr int kRedSensor = 1541;
inline constexpr int kBlueSensor = 1542;
inline constexpr int kYellowSensor = 1569;
inline constexpr int kInterfaceRadio = 1549;
inline constexpr int kRedRadio = 1552;
inline constexpr int kBlueRadio = 1565;
inline constexpr int kYellowRadio = 1580;
// How sure each pair's result is, red/blue, blue/yellow, red/yellow.
inline constexpr int kRedBlueVerdict = 1590;
inline constexpr int kBlueYellowVerdict = 1591;
inline constexpr int kRedYellowVerdict = 1592;
}  // namespace ctl3

// Template 286: the three-station form, in dialog units of Tahoma 8.
const DialogTemplate& ThreeStationFormTemplate();

}  // namespace korvanta::gui
