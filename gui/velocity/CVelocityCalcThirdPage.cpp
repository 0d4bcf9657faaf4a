#include "gui/velocity/CVelocityCalcThirdPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/velocity/VelocityWizardChecks.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/velocity/CVelocityCalculation.h"
#include "gui/velocity/VelocityWizardTemplates.h"
#include "gui/velocity/WizardNumberEdit.h"

namespace korvanta::gui {

CVelocityCalcThirdPage::CVelocityCalcThirdPage(IMessageSink& messages, QWidget* parent)
    : QWizardPage(parent), messages_(messages)
{
    const DialogTemplate& page = VelocityThirdPageTemplate();
    setObjectName(QStringLiteral("velocityCalcThirdPage"));
    const CTemplateControls controls(this, page);
    velocityText_ = controls.Get<QLabel>(kVelocityText);
    velocityText_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    velocityUnit_ = controls.Get<QLabel>(kVelocityUnit);
    saveBox_ = controls.Get<QCheckBox>(kVelocitySaveBox);
    diameterPrompt_ = controls.Get<QLabel>(kVelocityDiameterPrompt);
    diameterEdit_ = controls.Get<QLineEdit>(kVelocityDiameterEdit);
    diameterEdit_->setAlignment(Qt::AlignRight);
    diameterUnit_ = controls.Get<QLabel>(kVelocityDiameterUnit);
    materialPrompt_ = controls.Get<QLabel>(kVelocityMaterialPrompt);
    materials_ = controls.Get<QComboBox>(kVelocityMaterialCombo);
    layout_.Apply(this, page);
    ShowNumber(diameterEdit_, diameter_);
    SaveToggled(false);
    connect(saveBox_, &QCheckBox::toggled, this, &CVelocityCalcThirdPage::SaveToggled);
    connect(materials_, &QComboBox::currentIndexChanged, this, &CVelocityCalcThirdPage::MaterialChosen);
}

void CVelocityCalcThirdPage::SetUnits(UnitSystem units, TimeUnit time)
{
    units_ = units;
    time_ = time;
    diameterUnit_->setText(StringText(DiameterUnitLabel(units)));
    velocityUnit_->setText(StringText(VelocityUnitLabel(units, time)));
}

void CVelocityCalcThirdPage::SetDiameterMillimetres(float millimetres)
{
    diameter_ = units_ == UnitSystem::Imperial ? static_cast<float>(millimetres * kMillimetresToInches) : millimetres;
    ShowNumber(diameterEdit_, diameter_);
}

void CVelocityCalcThirdPage::LoadMaterialNames(std::span<const Material, kMaxMaterials> materials)
{
    names_ = WizardMaterialNames(materials);
}

float CVelocityCalcThirdPage::DiameterMillimetres() const
{
    return DiameterToMillimetres(diameter_, units_);
}

float CVelocityCalcThirdPage::VelocityMetresPerSecond() const
{
    return VelocityFromUserUnits(velocity_, units_, time_);
}

void CVelocityCalcThirdPage::initializePage()
{
    FillMaterials();
    ComputeVelocity();
}

void CVelocityCalcThirdPage::FillMaterials()
{
    const QSignalBlocker quiet(materials_);
    materials_->clear();
    for (const std::string& name : names_)
        materials_->addItem(FromUtf8(name));
    if (materialIndex_ >= 0 && materialIndex_ < static_cast<int>(names_.size()))
        materials_->setCurrentIndex(materialIndex_);
    else
        materials_->setCurrentIndex(-1);
}

void CVelocityCalcThirdPage::ComputeVelocity()
{
    const auto* sheet = qobject_cast<const CVelocityCalculation*>(wizard());
    WizardVelocity result;
    if (sheet == nullptr) {
        result.error = str::kVelocityCalculationError;
    } else {
        const CVelocityCalcSecondPage& source = sheet->SecondPage();
        result = ComputeWizardVelocity(sheet->FirstPage().LengthMetres(), source.BetweenSensors(),
                                       source.DistanceMetres(), delay_);
    }
    computed_ = !result.error;
    if (computed_) {
        velocity_ = VelocityInUserUnits(result.metresPerSecond, units_, time_);
        velocityText_->setText(FromUtf8(WizardVelocityText(velocity_, time_)));
    } else {
        velocity_ = 0.0f;
        velocityText_->clear();
        messages_.ShowMessage(*result.error, kStyleExclamation);
    }
    saveBox_->setEnabled(computed_);
    Q_EMIT completeChanged();
}

void CVelocityCalcThirdPage::SaveToggled(bool on)
{
    save_ = on;
    EnableAll({diameterPrompt_, diameterEdit_, diameterUnit_, materialPrompt_, materials_}, on);
}

void CVelocityCalcThirdPage::MaterialChosen(int position)
{
    if (position >= 0 && position < static_cast<int>(names_.size()))
        materialIndex_ = position;
}

bool CVelocityCalcThirdPage::validatePage()
{
    if (!save_)
        return true;
    const std::optional<float> typed = ReadNumber(diameterEdit_, messages_);
    if (!typed)
        return false;
    diameter_ = *typed;
    if (const auto refusal = CheckSaveChoice(diameter_, units_, materialIndex_)) {
        if (*refusal == str::kSelectedMaterialError)
            messages_.ShowMessage(*refusal, kStyleExclamation);
        else
            RefuseEntry(diameterEdit_, *refusal, messages_);
        return false;
    }
    return true;
}

}  // namespace korvanta::gui
