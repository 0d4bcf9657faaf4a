#include "gui/document/CMeasurementSetupDialog.h"

#include <QGroupBox>
#include <QRadioButton>

#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace setupctl;

constexpr DialogItemTemplate kItems[] = {
    {kTimeFrame, 7, 7, 112, 62, "Måletid", ControlKind::Group},
    {kStandard, 15, 21, 98, 10, "Standard ( 0.8 s )", ControlKind::Radio},
    {kMedium, 15, 36, 98, 10, "Medium ( 2.5 s )", ControlKind::Radio},
    {kLong, 15, 51, 98, 10, "Lang ( 4.2 s )", ControlKind::Radio},
    {kSettingsFrame, 126, 7, 70, 62, "Indstillinger", ControlKind::Group},
    {kPipe, 134, 22, 54, 14, "Rør", ControlKind::Button},
    {kSensor, 134, 44, 54, 14, "Sensor", ControlKind::Button},
    {kOk, 90, 78, 50, 14, "OK", ControlKind::Button},
    {kCancel, 146, 78, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {195, "Måleopsætning", "Tahoma", 8, 400, false, 203, 99, kItems};

}  // namespace

CMeasurementSetupDialog::CMeasurementSetupDialog(const SetupDialogState& state, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("measurementSetupDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    const CTemplateControls controls(this, kTemplate);
    QGroupBox* timeFrame = controls.Get<QGroupBox>(kTimeFrame);
    for (const int id : {kStandard, kMedium, kLong}) {
        auto* radio = controls.Get<QRadioButton>(id);
        radio->setEnabled(state.editable);
        times_.addButton(radio, id - kStandard);
    }
    connect(controls.Get<QPushButton>(kPipe), &QPushButton::clicked, this, [this] { Close(SetupChoice::Pipe); });
    connect(controls.Get<QPushButton>(kSensor), &QPushButton::clicked, this, [this] { Close(SetupChoice::Sensor); });
    QPushButton* ok = controls.Get<QPushButton>(kOk);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Close(SetupChoice::Ok); });
    timeFrame->setEnabled(state.editable);
    if (QAbstractButton* chosen = times_.button(state.timeIndex))
        chosen->setChecked(true);
    result_.timeIndex = state.timeIndex;
    layout_.Apply(this, kTemplate);
}

void CMeasurementSetupDialog::Close(SetupChoice choice)
{
    result_.choice = choice;
    result_.timeIndex = times_.checkedId();
    accept();
}

}  // namespace korvanta::gui
