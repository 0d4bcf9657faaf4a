#pragma once

#include <QWizardPage>

#include "core/host/IMessageSink.h"
#include "core/values/UnitSystem.h"
#include "gui/forms/CTemplateLayout.h"

class QLabel;
class QLineEdit;

namespace korvanta::gui {

// Page 1 of the velocity wizard: the total pipe length between the sensors, in the user's unit.
class CVelocityCalcFirstPage final : public QWizardPage {
    Q_OBJECT
public:
    explicit CVelocityCalcFirstPage(IMessageSink& messages, QWidget* parent = nullptr);

    void SetUnits(UnitSystem units);
    void SetLengthMetres(float metres);
    float LengthMetres() const;

    bool validatePage() override;

private:
    IMessageSink& messages_;
    UnitSystem units_ = UnitSystem::Metric;
    float length_ = 0.0f;  // in the user's unit
    QLineEdit* edit_ = nullptr;
    QLabel* unit_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
