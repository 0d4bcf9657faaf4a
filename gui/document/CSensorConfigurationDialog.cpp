#include "gui/document/CSensorConfigurationDialog.h"

#include <QLabel>
#include <QRadioButton>

#include <vector>

#include "core/dialogs/SensorCombination.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/pipe/StationArt.h"

namespace korvanta::gui {

namespace {

using namespace sensorsctl;

constexpr int kRowHeight = 22;
constexpr int kTop = 20;

// Heading, then per row the radio and the two pictures, then the buttons.
std::vector<DialogItemTemplate> Items()
{
    std::vector<DialogItemTemplate> items = {{kStaticId, 40, 7, 40, 9, "Sensor 1"},
                                             {kStaticId, 90, 7, 40, 9, "Sensor 2"}};
    for (int i = 0; i < SensorCombination::kChoices; ++i) {
        const int y = kTop + i * kRowHeight;
        items.push_back({kFirstChoice + i, 12, y + 5, 20, 10, nullptr, ControlKind::Radio});
        items.push_back({kFirstPicture + 2 * i, 44, y, 24, 20});
        items.push_back({kFirstPicture + 2 * i + 1, 94, y, 24, 20});
    }
    const int buttons = kTop + SensorCombination::kChoices * kRowHeight + 6;
    items.push_back({kOk, 24, buttons, 50, 14, "OK"});
    items.push_back({kCancel, 80, buttons, 50, 14, "Cancel"});
    return items;
}

const std::vector<DialogItemTemplate>& ItemTable()
{
    static const std::vector<DialogItemTemplate> items = Items();
    return items;
}

const DialogTemplate& Template()
{
    static const DialogTemplate dialog = {204,        "Sensorkonfiguration",
                                          "Tahoma",   8,
                                          400,        false,
                                          140,        kTop + SensorCombination::kChoices * kRowHeight + 28,
                                          ItemTable()};
    return dialog;
}

}  // namespace

CSensorConfigurationDialog::CSensorConfigurationDialog(uint32_t pairCode, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("sensorConfigurationDialog"));
    setWindowTitle(QString::fromUtf8(Template().caption));
    const CTemplateControls controls(this, Template());
    for (QLabel* heading : controls.GetAll<QLabel>(kStaticId)) {
        heading->setAlignment(Qt::AlignCenter);
    }
    for (int index = 0; index < SensorCombination::kChoices; ++index) {
        choices_.addButton(controls.Get<QRadioButton>(kFirstChoice + index), index);
        const StationPair pair = SensorCombination::StationsOfIndex(index);
        for (int side = 0; side < 2; ++side) {
            auto* picture = controls.Get<QLabel>(kFirstPicture + 2 * index + side);
            picture->setPixmap(StationArt::Station(side == 0 ? pair.sensor1 : pair.sensor2, QSize(32, 30)));
            picture->setAlignment(Qt::AlignCenter);
        }
    }
    choices_.button(SensorCombination::IndexOfPairCode(pairCode))->setChecked(true);
    layout_.Apply(this, Template());
}

uint32_t CSensorConfigurationDialog::PairCode() const
{
    return SensorCombination::PairCodeOfIndex(choices_.checkedId());
}

}  // namespace korvanta::gui
