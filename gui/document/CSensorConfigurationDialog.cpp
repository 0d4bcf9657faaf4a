#include "gui/document/CSensorConfigurationDialog.h"

#include <QLabel>
#include <QRadioButton>

#include <vector>

#include "core/dialogs/SensorCombination.h"
#include "gui/app/FormControls.h"
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
        items.push_back({kFirstChoice + i, 12, y + 5, 20, 10});
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
    for (const DialogItemTemplate& item : Template().items) {
        if (item.id >= kFirstChoice && item.id < kFirstChoice + SensorCombination::kChoices) {
            auto* radio = MakeControl<QRadioButton>(this, item.id);
            choices_.addButton(radio, item.id - kFirstChoice);
        } else if (item.id >= kFirstPicture && item.id < kFirstPicture + 2 * SensorCombination::kChoices) {
            const int index = (item.id - kFirstPicture) / 2;
            const StationPair pair = SensorCombination::StationsOfIndex(index);
            QLabel* picture = MakeControl<QLabel>(this, item.id);
            picture->setPixmap(
                StationArt::Station((item.id - kFirstPicture) % 2 == 0 ? pair.sensor1 : pair.sensor2, QSize(32, 30)));
            picture->setAlignment(Qt::AlignCenter);
        } else if (item.id == kOk || item.id == kCancel) {
            MakeCommonControl(this, item);
        } else {
            MakeTemplateLabel(this, item)->setAlignment(Qt::AlignCenter);
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
