#include "gui/velocity/CVelocityCalcFirstPage.h"

#include <QLabel>
#include <QLineEdit>

#include "core/pipe/UnitConversion.h"
#include "core/velocity/VelocityWizardChecks.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/velocity/VelocityWizardTemplates.h"
#include "gui/velocity/WizardNumberEdit.h"

namespace korvanta::gui {

CVelocityCalcFirstPage::CVelocityCalcFirstPage(IMessageSink& messages, QWidget* parent)
    : QWizardPage(parent), messages_(messages)
{
    const DialogTemplate& page = VelocityFirstPageTemplate();
    setObjectName(QStringLiteral("velocityCalcFirstPage"));
    const CTemplateControls controls(this, page);
    edit_ = controls.Get<QLineEdit>(kVelocityLengthEdit);
    edit_->setAlignment(Qt::AlignRight);
    unit_ = controls.Get<QLabel>(kVelocityLengthUnit);
    for (QLabel* text : controls.GetAll<QLabel>(kStaticId)) {
        text->setWordWrap(true);
    }
    layout_.Apply(this, page);
    ShowNumber(edit_, length_);
}

void CVelocityCalcFirstPage::SetUnits(UnitSystem units)
{
    units_ = units;
    unit_->setText(StringText(LengthUnitLabel(units)));
}

void CVelocityCalcFirstPage::SetLengthMetres(float metres)
{
    length_ = units_ == UnitSystem::Imperial ? static_cast<float>(metres * kMetresToFeet) : metres;
    ShowNumber(edit_, length_);
}

float CVelocityCalcFirstPage::LengthMetres() const
{
    return LengthToMetres(length_, units_);
}

bool CVelocityCalcFirstPage::validatePage()
{
    const std::optional<float> typed = ReadNumber(edit_, messages_);
    if (!typed)
        return false;
    length_ = *typed;
    if (const auto refusal = CheckPipeLength(length_, units_)) {
        RefuseEntry(edit_, *refusal, messages_);
        return false;
    }
    return true;
}

}  // namespace korvanta::gui
