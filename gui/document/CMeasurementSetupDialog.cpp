#include "gui/document/CMeasurementSetupDialog.h"

#include <QGroupBox>
#include <QRadioButton>

#include "gui/app/CTemplateGroupBox.h"
#include "gui/app/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace setupctl;

constexpr DialogItemTemplate kItems[] = {
    {kTimeFrame, 7, 7, 112, 62, "Måletid"},
    {kStandard, 15, 21, 98, 10, "Standard ( 0.8 s )"},
    {kMedium, 15, 36, 98, 10, "Medium ( 2.5 s )"},
    {kLong, 15, 51, 98, 10, "Lang ( 4.2 s )"},
    {kSettingsFrame, 126, 7, 70, 62, "Indstillinger"},
    {kPipe, 134, 22, 54, 14, "Rør"},
    {kSensor, 134, 44, 54, 14, "Sensor"},
    {kOk, 90, 78, 50, 14, "OK"},
    {kCancel, 146, 78, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {195, "Måleopsætning", "Tahoma", 8, 400, false, 203, 99, kItems};

}  // namespace

CMeasurementSetupDialog::CMeasurementSetupDialog(const SetupDialogState& state, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("measurementSetupDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    QGroupBox* timeFrame = nullptr;
    for (const DialogItemTemplate& item : kTemplate.items) {
        switch (item.id) {
        case kTimeFrame:
            timeFrame = MakeControl<CTemplateGroupBox>(this, item.id);
            timeFrame->setTitle(QString::fromUtf8(item.text));
            break;
        case kSettingsFrame:
            MakeControl<CTemplateGroupBox>(this, item.id)->setTitle(QString::fromUtf8(item.text));
            break;
        case kStandard:
        case kMedium:
        case kLong: {
            auto* radio = MakeControl<QRadioButton>(this, item.id);
            radio->setText(QString::fromUtf8(item.text));
            radio->setEnabled(state.editable);
            times_.addButton(radio, item.id - kStandard);
            break;
        }
        case kPipe:
            connect(MakeTemplateButton(this, item), &QPushButton::clicked, this, [this] { Close(SetupChoice::Pipe); });
            break;
        case kSensor:
            connect(MakeTemplateButton(this, item), &QPushButton::clicked, this,
                    [this] { Close(SetupChoice::Sensor); });
            break;
        case kOk: {
            QPushButton* ok = MakeTemplateButton(this, item);
            ok->setDefault(true);
            connect(ok, &QPushButton::clicked, this, [this] { Close(SetupChoice::Ok); });
            break;
        }
        case kCancel:
            MakeCancelButton(this, item);
            break;
        default:
            break;
        }
    }
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
