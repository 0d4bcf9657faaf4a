#include "gui/velocity/CVelocityCalculation.h"

#include "core/text/StringIds.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

CVelocityCalculation::CVelocityCalculation(const VelocityWizardSetup& setup, IMessageSink& messages, QWidget* parent)
    : QWizard(parent),
      first_(new CVelocityCalcFirstPage(messages)),
      second_(new CVelocityCalcSecondPage(messages)),
      third_(new CVelocityCalcThirdPage(messages))
{
    setObjectName(QStringLiteral("velocityCalculation"));
    setWindowTitle(StringText(str::kVelocityCalculationTitle));
    setWizardStyle(QWizard::ClassicStyle);
    SetWizardButtonTexts(*this);

    first_->SetUnits(setup.units);
    second_->SetUnits(setup.units);
    second_->SetSensorPairCode(setup.pairCode);
    third_->SetUnits(setup.units, setup.time);
    first_->SetLengthMetres(setup.length);
    third_->SetDiameterMillimetres(setup.diameter);
    third_->SetMaterialIndex(setup.materialIndex);
    third_->LoadMaterialNames(setup.materials);
    third_->SetDelay(setup.delay);
    setPage(kFirstPage, first_);
    setPage(kSecondPage, second_);
    setPage(kThirdPage, third_);
}

VelocityWizardAnswer CVelocityCalculation::Answer() const
{
    VelocityWizardAnswer answer;
    answer.length = first_->LengthMetres();
    answer.diameter = third_->DiameterMillimetres();
    answer.velocity = third_->VelocityMetresPerSecond();
    answer.materialIndex = third_->MaterialIndex();
    answer.save = third_->SaveFlag();
    return answer;
}

}  // namespace korvanta::gui
