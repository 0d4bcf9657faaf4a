#include "gui/view/CUnitStatusPictures.h"

#include <QVariant>

#include "gui/view/TwoStationFormTemplate.h"
#include "gui/view/ViewArtwork.h"

namespace korvanta::gui {

CUnitStatusPictures::CUnitStatusPictures(const CTemplateControls& controls)
{
    for (size_t position = 0; position < unitPictures_.size(); ++position) {
        unitPictures_[position] = controls.Get<QLabel>(view101::kUnitPicture[position]);
        radioIcons_[position] = controls.Get<QLabel>(view101::kRadioIcon[position]);
        batteryGauges_[position] = controls.Get<QLabel>(view101::kBatteryGauge[position]);
        sensorIcons_[position] = controls.Get<QLabel>(view101::kSensorIcon[position]);
    }
}

void CUnitStatusPictures::Show(const UnitStatusPanel& panel, qreal pixelRatio)
{
    for (int position = 0; position < UnitStatusPanel::kPositions; ++position) {
        const UnitStatusPanel::Position& shown = panel.At(position);
        const auto at = static_cast<size_t>(position);
        if (shown.picture != UnitStatusPanel::kNoUnit) {
            SetPicture(unitPictures_[at], ViewArtwork::UnitPicturePath(shown.picture), pixelRatio);
        }
        SetPicture(radioIcons_[at], ViewArtwork::RadioIconPath(shown.radio), pixelRatio);
        const int unit = shown.unit != UnitStatusPanel::kNoUnit ? shown.unit : shown.picture;
        SetPicture(batteryGauges_[at],
                   shown.charging ? ViewArtwork::ChargingPath() : ViewArtwork::BatteryPath(unit, shown.batteryLevel),
                   pixelRatio);
        SetPicture(sensorIcons_[at], ViewArtwork::SensorIconPath(unit, shown.sensor), pixelRatio);
    }
}

void CUnitStatusPictures::SetPicture(QLabel* label, const QString& path, qreal pixelRatio)
{
    const QString key = QStringLiteral("%1@%2x%3").arg(path).arg(label->width()).arg(label->height());
    auto found = pictures_.find(key);
    if (found == pictures_.end()) {
        found = pictures_.insert(key, ViewArtwork::Render(path, label->size(), pixelRatio));
    }
    if (label->property("picture").toString() != key) {
        label->setPixmap(*found);
        label->setProperty("picture", key);
    }
}

}  // namespace korvanta::gui
