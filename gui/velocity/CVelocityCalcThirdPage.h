#pragma once

#include <QWizardPage>

#include <span>
#include <string>
#include <vector>

#include "core/host/IMessageSink.h"
#include "core/pipe/Material.h"
#include "core/host/IMessageSink.h"
#include "core/values/UnitSystem.h"
#include "gui/forms/CTemplateLayout.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace korvanta::gui {

// Page 3 of the velocity wizard: the velocity from the length, the source's place and the
// measured delay, and, with the save box ticked, the diameter and material under which it goes
// into the material database.
class CVelocityCalcThirdPage final : public QWizardPage {
    Q_OBJECT
public:
    explicit CVelocityCalcThirdPage(IMessageSink& messages, QWidget* parent = nullptr);

    void SetUnits(UnitSystem units, TimeUnit time);
    void SetDiameterMillimetres(float millimetres);
    void SetMaterialIndex(int index) { materialIndex_ = index; }
    void LoadMaterialNames(std::span<const Material, kMaxMaterials> materials);
    void SetDelay(float seconds) { delay_ = seconds; }

    bool SaveFlag() const { return save_; }
    float DiameterMillimetres() const;
    float VelocityMetresPerSecond() const;
    int MaterialIndex() const { return materialIndex_; }

    void initializePage() override;
    // Finish needs a velocity: after a failed computation only Back and Cancel are left.
    bool isComplete() const override { return computed_; }
    bool validatePage() override;

private:
    void FillMaterials();
    void ComputeVelocity();
    void SaveToggled(bool on);
    void MaterialChosen(int position);

    IMessageSink& messages_;
    UnitSystem units_ = UnitSystem::Metric;
    TimeUnit time_ = TimeUnit::Seconds;
    float diameter_ = 0.0f;  // in the user's unit
    float velocity_ = 0.0f;  // in the user's unit
    float delay_ = 0.0f;     // s
    bool save_ = false;
    bool computed_ = false;
    int materialIndex_ = -1;
    std::vector<std::string> names_;
    QLabel* velocityText_ = nullptr;
    QLabel* velocityUnit_ = nullptr;
    QCheckBox* saveBox_ = nullptr;
    QLabel* diameterPrompt_ = nullptr;
    QLineEdit* diameterEdit_ = nullptr;
    QLabel* diameterUnit_ = nullptr;
    QLabel* materialPrompt_ = nullptr;
    QComboBox* materials_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
