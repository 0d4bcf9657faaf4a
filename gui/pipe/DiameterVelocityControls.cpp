#include "gui/pipe/DiameterVelocityControls.h"

#include "gui/app/FormControls.h"

namespace korvanta::gui {

bool MakeDiameterVelocityControl(QWidget* parent, const DialogItemTemplate& item, const DiameterVelocityIds& ids,
                                 const UnitTexts& units, QLineEdit*& diameter, QLineEdit*& velocity)
{
    if (item.id == ids.diameter) {
        diameter = MakeControl<QLineEdit>(parent, item.id);
    } else if (item.id == ids.velocity) {
        velocity = MakeControl<QLineEdit>(parent, item.id);
    } else if (item.id == ids.diameterUnit) {
        MakeTemplateLabel(parent, item)->setText(FromUtf8(units.diameter));
    } else if (item.id == ids.velocityUnit) {
        MakeTemplateLabel(parent, item)->setText(FromUtf8(units.velocity));
    } else {
        return false;
    }
    return true;
}

}  // namespace korvanta::gui
