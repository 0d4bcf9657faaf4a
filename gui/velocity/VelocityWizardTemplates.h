#pragma once

#include "gui/forms/DialogTemplate.h"

namespace korvanta::gui {

// Control IDs of the velocity calculation wizard's pages.
enum VelocityWizardControl {
    kVelocityLengthEdit = 1384,
    kVelocityLengthUnit = 1386,
    kVelocitySourceBetween = 1393,
    kVelocitySourceOutside = 1394,
    kVelocityDistancePrompt = 1395,
    kVelocitySensorIcon = 1633,
    kVelocityDistanceEdit = 1396,
    kVelocityDistanceUnit = 1397,
    kVelocityText = 1407,
    kVelocityUnit = 1400,
    kVelocitySaveBox = 1403,
    kVelocityDiameterPrompt = 1388,
    kVelocityDiameterEdit = 1385,
    kVelocityDiameterUnit = 1387,
    kVelocityMaterialPrompt = 1390,
    kVelocityMaterialCombo = 1389,
};

// Templates 268, 269 and 270: the pipe length, where the source lies, the velocity and what to
// save. All three pages have the same size, as the pages of one sheet must.
const DialogTemplate& VelocityFirstPageTemplate();
const DialogTemplate& VelocitySecondPageTemplate();
const DialogTemplate& VelocityThirdPageTemplate();

}  // namespace korvanta::gui
