#pragma once

#include <QLineEdit>

#include "core/dialogs/PipeListRows.h"
#include "gui/forms/CTemplateControls.h"

namespace korvanta::gui {

// The diameter and velocity edits with their unit labels, which the pipe dialogs share; each
// dialog's template gives them IDs of its own.
struct DiameterVelocityIds {
    int diameter;
    int velocity;
    int diameterUnit;
    int velocityUnit;
};

// The two edits among a dialog's controls, kept in `diameter` and `velocity`; the unit labels
// show the units in force.
void TakeDiameterVelocityControls(const CTemplateControls& controls, const DiameterVelocityIds& ids,
                                  const UnitTexts& units, QLineEdit*& diameter, QLineEdit*& velocity);

}  // namespace korvanta::gui
