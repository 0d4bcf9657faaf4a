#include "gui/diagnostics/CSystemStatusDialog.h"

#include <QGroupBox>

#include <vector>

#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/diagnostics/DiagnosticsArt.h"
#include "gui/diagnostics/UnitControls.h"

namespace korvanta::gui {

namespace {

using namespace systemstatusctl;
constexpr int kColumn = 84;
const QSize kBatterySize(48, 20);
const QSize kIconSize(24, 24);

std::vector<DialogItemTemplate> Items()
{
    std::vector<DialogItemTemplate> items;
    for (int unit = 0; unit < 4; ++unit) {
        const int x = 7 + unit * kColumn;
        items.push_back({kUnitPictureBase + unit, x + 27, 6, 24, 22});
        items.push_back({kStaticId, x, 32, kColumn - 6, 106, nullptr, ControlKind::Group});
        items.push_back({kStaticId, x + 2, 42, kColumn - 10, 9, "Batterikapacitet"});
        items.push_back({kBatteryIds[unit], x + 23, 52, 32, 13});
        items.push_back({kStaticId, x + 2, 72, kColumn - 10, 9, "Signalstyrke"});
        items.push_back({kRadioIds[unit], x + 31, 82, 16, 15});
        items.push_back({kStaticId, x + 2, 104, kColumn - 10, 9, "Sensorforbindelse"});
        items.push_back({kSensorIds[unit], x + 31, 114, 16, 15});
    }
    items.push_back({kOk, 4 * kColumn / 2 - 21, 146, 50, 14, "OK"});
    return items;
}

const DialogTemplate& Template()
{
    static const std::vector<DialogItemTemplate> items = Items();
    static const DialogTemplate dialog = {180, "Systemstatus", "Tahoma", 8, 400, false, 4 * kColumn + 8, 166, items};
    return dialog;
}

}  // namespace

CSystemStatusDialog::CSystemStatusDialog(SystemStatusModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("systemStatusDialog"));
    setWindowTitle(QString::fromUtf8(Template().caption));
    const CTemplateControls controls(this, Template());
    for (QLabel* heading : controls.GetAll<QLabel>(kStaticId)) {
        heading->setAlignment(Qt::AlignCenter);
    }
    for (int unit = 0; unit < 4; ++unit) {
        ShowUnitPicture(controls.Get<QLabel>(kUnitPictureBase + unit), unit);
        battery_[unit] = controls.Get<QLabel>(kBatteryIds[unit]);
        radio_[unit] = controls.Get<QLabel>(kRadioIds[unit]);
        sensor_[unit] = controls.Get<QLabel>(kSensorIds[unit]);
    }
    layout_.Apply(this, Template());
    Redraw();
    connect(&timer_, &QTimer::timeout, this, &CSystemStatusDialog::Tick);
    timer_.start(SystemStatusModel::kTickMs);
}

void CSystemStatusDialog::Show(QLabel* label, int resource, const QPixmap& picture)
{
    if (label->property("resource").toInt() == resource) {
        return;
    }
    label->setProperty("resource", resource);
    label->setPixmap(picture);
    label->setAlignment(Qt::AlignCenter);
}

void CSystemStatusDialog::Tick()
{
    model_.Tick();
    Redraw();
}

void CSystemStatusDialog::Redraw()
{
    for (int unit = 0; unit < SystemStatusModel::kUnits; ++unit) {
        const SystemStatusModel::UnitView& view = model_.Unit(unit);
        Show(battery_[unit], view.batteryImage,
             DiagnosticsArt::Battery(view.batteryLevel, view.charging, kBatterySize));
        Show(radio_[unit], view.radioIcon, DiagnosticsArt::Radio(view.radioIcon, kIconSize));
        Show(sensor_[unit], view.sensorIcon, DiagnosticsArt::Sensor(unit, view.present && view.sensor, kIconSize));
    }
}

void CSystemStatusDialog::done(int result)
{
    timer_.stop();
    model_.Close();
    QDialog::done(result);
}

}  // namespace korvanta::gui
