#include "gui/velocity/CVelocityCalcSecondPage.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/dialogs/StationPair.h"
#include "core/pipe/UnitConversion.h"
#include "core/velocity/VelocityWizardChecks.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/pipe/StationArt.h"
#include "gui/velocity/CVelocityCalculation.h"
#include "gui/velocity/VelocityWizardTemplates.h"
#include "gui/velocity/WizardNumberEdit.h"

namespace korvanta::gui {

namespace {

StationUnit UnitOfIcon(int bitmap)
{
    switch (bitmap) {
    case 141:
        return StationUnit::Blue;
    case 153:
        return StationUnit::Yellow;
    default:
        return StationUnit::Red;
    }
}

}  // namespace

CVelocityCalcSecondPage::CVelocityCalcSecondPage(IMessageSink& messages, QWidget* parent)
    : QWizardPage(parent), messages_(messages)
{
    const DialogTemplate& page = VelocitySecondPageTemplate();
    setObjectName(QStringLiteral("velocityCalcSecondPage"));
    const CTemplateControls controls(this, page);
    yes_ = controls.Get<QRadioButton>(kVelocitySourceBetween);
    no_ = controls.Get<QRadioButton>(kVelocitySourceOutside);
    prompt_ = controls.Get<QLabel>(kVelocityDistancePrompt);
    icon_ = controls.Get<QLabel>(kVelocitySensorIcon);
    icon_->setAlignment(Qt::AlignCenter);
    edit_ = controls.Get<QLineEdit>(kVelocityDistanceEdit);
    edit_->setAlignment(Qt::AlignRight);
    unit_ = controls.Get<QLabel>(kVelocityDistanceUnit);
    layout_.Apply(this, page);
    ShowNumber(edit_, distance_);
    EnableDistance(false);
    connect(yes_, &QRadioButton::clicked, this, &CVelocityCalcSecondPage::ChooseBetween);
    connect(no_, &QRadioButton::clicked, this, &CVelocityCalcSecondPage::ChooseOutside);
    SetSensorPairCode(6);
}

void CVelocityCalcSecondPage::SetUnits(UnitSystem units)
{
    units_ = units;
    unit_->setText(StringText(LengthUnitLabel(units)));
}

void CVelocityCalcSecondPage::SetSensorPairCode(uint32_t pairCode)
{
    const int bitmap = WizardSensorIcon(pairCode);
    icon_->setPixmap(StationArt::Station(UnitOfIcon(bitmap), icon_->size()));
    icon_->setProperty("resource", bitmap);
}

float CVelocityCalcSecondPage::DistanceMetres() const
{
    return LengthToMetres(distance_, units_);
}

void CVelocityCalcSecondPage::ChooseBetween()
{
    if (choice_ == kBetween)
        return;
    choice_ = kBetween;
    between_ = true;
    EnableDistance(true);
}

void CVelocityCalcSecondPage::ChooseOutside()
{
    if (choice_ == kOutside)
        return;
    choice_ = kOutside;
    between_ = false;
    EnableDistance(false);
    distance_ = 0.0f;
    ShowNumber(edit_, distance_);
}

void CVelocityCalcSecondPage::EnableDistance(bool enabled)
{
    EnableAll({prompt_, edit_, unit_}, enabled);
}

bool CVelocityCalcSecondPage::validatePage()
{
    if (choice_ == kBetween) {
        const std::optional<float> typed = ReadNumber(edit_, messages_);
        if (!typed)
            return false;
        distance_ = *typed;
    }
    const auto* sheet = qobject_cast<const CVelocityCalculation*>(wizard());
    const float length = sheet != nullptr ? sheet->FirstPage().LengthMetres() : 0.0f;
    const SourcePositionCheck check = CheckSourcePosition(choice_, DistanceMetres(), length);
    if (check.error) {
        if (choice_ == kBetween)
            RefuseEntry(edit_, *check.error, messages_);
        else
            messages_.ShowMessage(*check.error, kStyleExclamation);
        return false;
    }
    if (check.note)
        messages_.ShowMessage(*check.note, kStyleExclamation);
    return true;
}

}  // namespace korvanta::gui
