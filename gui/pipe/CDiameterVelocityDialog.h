#pragma once

#include <QDialog>
#include <QLineEdit>

#include "core/pipe/UnitSystem.h"
#include "core/text/MessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

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
