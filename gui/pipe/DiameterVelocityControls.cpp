#include "gui/pipe/DiameterVelocityControls.h"

#include <QLabel>

#include "gui/forms/FormControls.h"

namespace korvanta::gui {

void TakeDiameterVelocityControls(const CTemplateControls& controls, const DiameterVelocityIds& ids,
                                  const UnitTexts& units, QLineEdit*& diameter, QLineEdit*& velocity)
{
    diameter = controls.Get<QLineEdit>(ids.diameter);
    velocity = controls.Get<QLineEdit>(ids.velocity);
    controls.Get<QLabel>(ids.diameterUnit)->setText(FromUtf8(units.diameter));
    controls.Get<QLabel>(ids.velocityUnit)->setText(FromUtf8(units.velocity));
}

}  // namespace korvanta::gui
