#pragma once

#include <QDialog>
#include <QLineEdit>

#include "core/host/IMessageSink.h"
#include "core/values/UnitSystem.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace diametervelocityctl {
enum ControlId {
    kOk = 1,
    kCancel = 2,
    kDiameterPrompt = 1583,
    kVelocityPrompt = 1584,
    kVelocity = 1585,
    kDiameter = 1586,
    kDiameterUnit = 1587,
    kVelocityUnit = 1588,
};
}  // namespace diametervelocityctl

// "Diameter og løbehastighed": one (diameter, velocity) entry of a material in the user's
// units, checked against the section limits; the result is in millimetres and metres per second.
class CDiameterVelocityDialog final : public QDialog {
    Q_OBJECT

public:
    // Empty texts for a new entry, the shown texts when changing one.
    CDiameterVelocityDialog(const QString& diameter, const QString& velocity, UnitSystem units, TimeUnit time,
                            IMessageSink& messages, QWidget* parent = nullptr);

    float DiameterMm() const { return diameterMm_; }
    float VelocityMps() const { return velocityMps_; }
    void accept() override;

private:
    UnitSystem units_;
    TimeUnit time_;
    IMessageSink& messages_;
    QLineEdit* diameter_ = nullptr;
    QLineEdit* velocity_ = nullptr;
    float diameterMm_ = 0.0f;
    float velocityMps_ = 0.0f;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
