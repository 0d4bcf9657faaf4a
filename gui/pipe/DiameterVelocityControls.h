#pragma once

#include <QLineEdit>
#include <QWidget>

#include "core/dialogs/PipeListRows.h"
#include "gui/app/DialogTemplate.h"

namespace korvanta::gui {

// The diameter and velocity edits with their unit labels, which the pipe dialogs share; each
// dialog's template gives them IDs of its own.
struct DiameterVelocityIds {
    int diameter;
    int velocity;
    int diameterUnit;
    int velocityUnit;
};

// Makes the control for `item` when its ID is one of `ids`: an edit, kept in `diameter` or
// `velocity`, or a label showing the unit in force. False, with nothing made, for any other item.
bool MakeDiameterVelocityControl(QWidget* parent, const DialogItemTemplate& item, const DiameterVelocityIds& ids,
                                 const UnitTexts& units, QLineEdit*& diameter, QLineEdit*& velocity);

}  // namespace korvanta::gui
