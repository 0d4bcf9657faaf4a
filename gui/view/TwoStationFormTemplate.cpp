#include "gui/view/TwoStationFormTemplate.h"

namespace korvanta::gui {

namespace {

using namespace view101;

// In creation order; rectangles in dialog units. Graph, layout, slider and the buttons under the
// graph sit where the form has always had them; the status panel's columns flank the graph.
constexpr DialogItemTemplate kItems[] = {
    {kResultGroup, 7, 7, 499, 181, "Måleresultat", ControlKind::Group},
    {kUnitPicture[0], 13, 18, 27, 25},
    {kRadioIcon[0], 16, 46, 21, 20},
    {kBatteryGauge[0], 12, 70, 30, 12},
    {kSensorIcon[0], 16, 86, 21, 20},
    {kGraph, 47, 18, 418, 120, nullptr, ControlKind::Picture},
    {kUnitPicture[1], 472, 18, 27, 25},
    {kRadioIcon[1], 475, 46, 21, 20},
    {kBatteryGauge[1], 471, 70, 30, 12},
    {kSensorIcon[1], 475, 86, 21, 20},
    {kLeftLimit, 206, 140, 18, 14, nullptr, ControlKind::Tool},
    {kStepLeft, 226, 140, 18, 14, nullptr, ControlKind::Tool},
    {kToPeak, 246, 140, 18, 14, nullptr, ControlKind::Tool},
    {kStepRight, 266, 140, 18, 14, nullptr, ControlKind::Tool},
    {kRightLimit, 286, 140, 18, 14, nullptr, ControlKind::Tool},
    {kZoomOut, 349, 140, 18, 14, nullptr, ControlKind::Tool},
    {kZoomIn, 369, 140, 18, 14, nullptr, ControlKind::Tool},
    {kSlider, 40, 157, 430, 15, nullptr, ControlKind::Slider},
    // Two lines tall, growing upwards, so "Uden for område" wraps instead of being cut off.
    {kDistance1, 9, 157, 37, 17},
    {kDistance2, 468, 157, 37, 17},
    {kLayout, 47, 172, 417, 7, nullptr, ControlKind::Picture},
    {kVerdict, 47, 179, 417, 8},  // text at the top: the group's frame runs under it
    {kInformationGroup, 7, 192, 160, 62, "Korrelationsinformation", ControlKind::Group},
    {kDelayLabel, 13, 204, 40, 8, "Løbetid"},
    {kDelay, 56, 203, 50, 10},
    {kDelayUnit, 109, 204, 20, 8},
    {kBlockCountLabel, 13, 217, 40, 8, "Værdi"},
    {kBlockCount, 56, 216, 50, 10},
    {kElapsedLabel, 13, 230, 40, 8, "Måletid"},
    {kElapsed, 56, 229, 50, 10},
    {kActivityLabel, 13, 243, 40, 8, "Proces"},
    {kActivity, 56, 242, 104, 8, nullptr, ControlKind::Progress},
    {kFilterGroup, 171, 192, 170, 62, "Filterindstillinger", ControlKind::Group},
    {kLowLabel, 177, 204, 30, 8, "Lav"},
    {kLowCutoff, 210, 203, 34, 10},
    {kLowHz, 247, 204, 14, 8, "Hz"},
    {kHighLabel, 266, 204, 30, 8, "Høj"},
    {kHighCutoff, 286, 203, 34, 10},
    {kHighHz, 323, 204, 14, 8, "Hz"},
    {kMaterialLabel, 177, 220, 60, 8, "Rørmateriale"},
    {kMaterial, 177, 230, 82, 10},
    {kPresetLabel, 266, 220, 60, 8, "Standard"},
    {kPresets, 266, 229, 68, 12, nullptr, ControlKind::Combo},  // the closed list; Qt sizes the drop-down itself
    {kDelimitationGroup, 345, 192, 82, 62, "Peakafgrænsning", ControlKind::Group},
    {kSetPoint, 351, 204, 70, 16, nullptr, ControlKind::Button},
    {kRemove, 351, 228, 70, 16, "Fjern", ControlKind::Button},
    {kStatusGroup, 431, 192, 75, 62, "Enhedsstatus", ControlKind::Group},
    {kUnitPicture[2], 436, 202, 27, 25},
    {kRadioIcon[2], 470, 204, 21, 20},
    {kBatteryGauge[2], 435, 234, 30, 12},
    {kSensorIcon[2], 470, 230, 21, 20},
    {kFileGroup, 7, 258, 334, 24, "Filnavn", ControlKind::Group},
    {kFileName, 13, 269, 322, 9},
    {kStartStop, 345, 259, 161, 23, "START", ControlKind::Button},
};

constexpr DialogTemplate kTemplate = {101, "", "Tahoma", 8, 400, false, 513, 288, kItems};

}  // namespace

const DialogTemplate& TwoStationFormTemplate()
{
    return kTemplate;
}

}  // namespace korvanta::gui
