#include "gui/pipe/CDiameterVelocityDialog.h"

#include <array>

#include "core/dialogs/MaterialTableEditor.h"
#include "core/dialogs/PipeListRows.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/NumberText.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/pipe/DiameterVelocityControls.h"

namespace korvanta::gui {

namespace {

using namespace diametervelocityctl;

constexpr DialogItemTemplate kItems[] = {
    {kDiameterPrompt, 7, 7, 126, 9, "Indtast diameter"},
    {kDiameter, 7, 19, 80, 12, nullptr, ControlKind::Edit},
    {kDiameterUnit, 92, 21, 41, 9, "mm"},
    {kVelocityPrompt, 7, 42, 126, 9, "Tast løbehastighed"},
    {kVelocity, 7, 54, 80, 12, nullptr, ControlKind::Edit},
    {kVelocityUnit, 92, 56, 41, 9, "m/s"},
    {kOk, 7, 92, 60, 14, "OK"},
    {kCancel, 73, 92, 60, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {0, "Diameter og løbehastighed", "Tahoma", 8, 400, false, 140, 114, kItems};

constexpr DiameterVelocityIds kEntryIds = {kDiameter, kVelocity, kDiameterUnit, kVelocityUnit};

}  // namespace

CDiameterVelocityDialog::CDiameterVelocityDialog(const QString& diameter, const QString& velocity, UnitSystem units,
                                                 TimeUnit time, IMessageSink& messages, QWidget* parent)
    : QDialog(parent), units_(units), time_(time), messages_(messages)
{
    setObjectName(QStringLiteral("diameterVelocityDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    const UnitTexts unitTexts = UnitTextsFor(units, time);
    const CTemplateControls controls(this, kTemplate);
    TakeDiameterVelocityControls(controls, kEntryIds, unitTexts, diameter_, velocity_);
    diameter_->setText(diameter);
    velocity_->setText(velocity);
    layout_.Apply(this, kTemplate);
}

void CDiameterVelocityDialog::accept()
{
    const std::array<QLineEdit*, 2> edits = {diameter_, velocity_};
    std::array<float, 2> values{};
    for (size_t i = 0; i < edits.size(); ++i) {
        const auto value = ParseWholeFloat(ToUtf8(edits[i]->text()));
        if (!value) {
            messages_.ShowMessage(str::kEnterNumber, kStyleExclamation);
            edits[i]->setFocus();
            return;
        }
        values[i] = *value;
    }
    const auto check = MaterialTableEditor::CheckTypedEntry(values[0], values[1], units_, time_);
    if (check.message != str::kNoError) {
        messages_.ShowMessage(check.message, kStyleExclamation);
        edits[static_cast<size_t>(check.field)]->setFocus();
        return;
    }
    diameterMm_ = DiameterToMillimetres(values[0], units_);
    velocityMps_ = VelocityToMetresPerSecond(values[1], units_, time_);
    QDialog::accept();
}

}  // namespace korvanta::gui
