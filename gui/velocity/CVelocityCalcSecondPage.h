#pragma once

#include <QWizardPage>

#include <cstdint>

#include "core/host/IMessageSink.h"
#include "core/values/UnitSystem.h"
#include "gui/forms/CTemplateLayout.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace korvanta::gui {

// Page 2 of the velocity wizard: does the noise source lie between the sensors ("Ja") and then
// how far from the first sensor, whose picture the prompt ends with; or outside them ("Nej").
class CVelocityCalcSecondPage final : public QWizardPage {
    Q_OBJECT
public:
    static constexpr int kNothingChosen = -1;
    static constexpr int kBetween = 0;
    static constexpr int kOutside = 1;

    explicit CVelocityCalcSecondPage(IMessageSink& messages, QWidget* parent = nullptr);

    void SetUnits(UnitSystem units);
    // The document's sensor pair; the picture shows its first outstation.
    void SetSensorPairCode(uint32_t pairCode);
    bool BetweenSensors() const { return between_; }
    float DistanceMetres() const;
    int Choice() const { return choice_; }

    bool validatePage() override;

private:
    void ChooseBetween();
    void ChooseOutside();
    void EnableDistance(bool enabled);

    IMessageSink& messages_;
    UnitSystem units_ = UnitSystem::Metric;
    int choice_ = kNothingChosen;
    bool between_ = false;
    float distance_ = 0.0f;  // in the user's unit
    QRadioButton* yes_ = nullptr;
    QRadioButton* no_ = nullptr;
    QLabel* prompt_ = nullptr;
    QLabel* icon_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QLabel* unit_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
