#include "gui/diagnostics/CSystemInformationDialog.h"

#include <vector>

#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/diagnostics/DiagnosticsArt.h"
#include "gui/diagnostics/UnitControls.h"

namespace korvanta::gui {

namespace {

using namespace systeminfoctl;
constexpr int kRow = 26;
constexpr int kTop = 20;

std::vector<DialogItemTemplate> Items()
{
    std::vector<DialogItemTemplate> items = {{kStaticId, 44, 7, 80, 9, "Firmwareversion"},
                                             {kStaticId, 134, 7, 70, 9, "Status"}};
    for (int unit = 0; unit < 4; ++unit) {
        const int y = kTop + unit * kRow;
        items.push_back({kPictureIds[unit], 10, y, 24, 22});
        items.push_back({kVersionIds[unit], 44, y + 7, 84, 9});
        items.push_back({kStatusIds[unit], 134, y + 7, 70, 9});
    }
    items.push_back({kOk, 82, kTop + 4 * kRow + 6, 50, 14, "OK"});
    return items;
}

const DialogTemplate& Template()
{
    static const std::vector<DialogItemTemplate> items = Items();
    static const DialogTemplate dialog = {192, "Systeminformation",  "Tahoma", 8, 400, false,
                                          214, kTop + 4 * kRow + 28, items};
    return dialog;
}

}  // namespace

CSystemInformationDialog::CSystemInformationDialog(SystemInformationModel& model, QWidget* parent)
    : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("systemInformationDialog"));
    setWindowTitle(QString::fromUtf8(Template().caption));
    const CTemplateControls controls(this, Template());
    for (int unit = 0; unit < 4; ++unit) {
        ShowUnitPicture(controls.Get<QLabel>(kPictureIds[unit]), unit);
        version_[unit] = controls.Get<QLabel>(kVersionIds[unit]);
        status_[unit] = controls.Get<QLabel>(kStatusIds[unit]);
    }
    layout_.Apply(this, Template());
    connect(&timer_, &QTimer::timeout, this, &CSystemInformationDialog::Tick);
    timer_.start(SystemInformationModel::kTickMs);
}

void CSystemInformationDialog::Tick()
{
    if (!model_.Tick()) {
        return;
    }
    for (int unit = 0; unit < SystemInformationModel::kUnits; ++unit) {
        version_[unit]->setText(FromUtf8(model_.VersionText(unit)));
        status_[unit]->setText(model_.StatusId(unit) != 0 ? StringText(model_.StatusId(unit)) : QString());
    }
}

void CSystemInformationDialog::done(int result)
{
    timer_.stop();
    model_.Close();
    QDialog::done(result);
}

}  // namespace korvanta::gui
