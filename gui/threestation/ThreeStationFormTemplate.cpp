#include "gui/threestation/ThreeStationFormTemplate.h"

#include <array>

namespace korvanta::gui {

namespace {

// Groups and labels have IDs of their own (1700 and up) so that the form finds each of them.
constexpr std::array kItems = std::to_array<DialogItemTemplate>({
    {1700, 4, 2, 306, 50, "Status", ControlKind::Group},
    {ctl3::kInterfaceUnit, 10, 10, 28, 27},
    {ctl3::kInterfaceRadio, 42, 12, 21, 20},
    {ctl3::kInterfaceBattery, 10, 41, 25, 7},
    {ctl3::kRedUnit, 78, 9, 23, 29},
    {ctl3::kRedSensor, 104, 7, 21, 20},
    {ctl3::kRedRadio, 104, 27, 21, 20},
    {ctl3::kRedBattery, 77, 41, 25, 7},
    {ctl3::kBlueUnit, 152, 9, 23, 29},
    {ctl3::kBlueSensor, 178, 7, 21, 20},
    {ctl3::kBlueRadio, 178, 27, 21, 20},
    {ctl3::kBlueBattery, 151, 41, 25, 7},
    {ctl3::kYellowUnit, 226, 9, 23, 29},
    {ctl3::kYellowSensor, 252, 7, 21, 20},
    {ctl3::kYellowRadio, 252, 27, 21, 20},
    {ctl3::kYellowBattery, 225, 41, 25, 7},
    {ctl3::kStart, 318, 8, 108, 28, "&START", ControlKind::Button},
    {1701, 318, 41, 30, 8, "Proces"},
    {ctl3::kProgress, 350, 40, 76, 9, nullptr, ControlKind::Progress},
    {1702, 4, 54, 422, 34, "Visning", ControlKind::Group},
    {ctl3::kRedBlue, 12, 67, 52, 10, "Rød/Blå", ControlKind::Radio},
    {ctl3::kBlueYellow, 68, 67, 52, 10, "Blå/Gul", ControlKind::Radio},
    {ctl3::kRedYellow, 124, 67, 52, 10, "Rød/Gul", ControlKind::Radio},
    {ctl3::kResult, 180, 67, 52, 10, "Resultat", ControlKind::Radio},
    {ctl3::kPairSensor1, 340, 57, 23, 29},
    {ctl3::kPairSensor2, 368, 57, 23, 29},
    {1703, 4, 90, 426, 134, "Korrelationsgraf", ControlKind::Group},
    {ctl3::kChart, 8, 100, 418, 120},
    {1704, 4, 226, 70, 30, "Løbetid", ControlKind::Group},
    {ctl3::kDelay, 10, 239, 40, 10},
    {ctl3::kDelayUnit, 52, 239, 18, 10},
    {1705, 78, 226, 56, 30, "Værdi", ControlKind::Group},
    {ctl3::kQuality, 84, 239, 44, 10},
    {1706, 138, 226, 56, 30, "Måletid", ControlKind::Group},
    {ctl3::kMeasuringTime, 144, 239, 44, 10},
    {1707, 198, 226, 56, 30, "Lav Cut-off", ControlKind::Group},
    {ctl3::kLowCutoff, 204, 239, 30, 10},
    {1708, 236, 239, 14, 10, "Hz"},
    {1709, 258, 226, 56, 30, "Høj Cut-off", ControlKind::Group},
    {ctl3::kHighCutoff, 264, 239, 30, 10},
    {1710, 296, 239, 14, 10, "Hz"},
    {1711, 318, 226, 112, 30, "Beregnet hastighed", ControlKind::Group},
    {ctl3::kVelocity, 324, 239, 52, 10},
    {ctl3::kVelocityUnit, 378, 239, 46, 10},
    {1712, 4, 258, 426, 46, "Vurdering", ControlKind::Group},
    {1713, 10, 270, 36, 10, "Rød/Blå:"},
    {ctl3::kRedBlueVerdict, 48, 270, 378, 10},
    {1714, 10, 280, 36, 10, "Blå/Gul:"},
    {ctl3::kBlueYellowVerdict, 48, 280, 378, 10},
    {1715, 10, 290, 36, 10, "Rød/Gul:"},
    {ctl3::kRedYellowVerdict, 48, 290, 378, 10},
});

constexpr DialogTemplate kTemplate{286, "", "Tahoma", 8, 400, false, 434, 308, kItems};

}  // namespace

const DialogTemplate& ThreeStationFormTemplate()
{
    return kTemplate;
}

}  // namespace korvanta::gui
