#pragma once

#include <QHash>
#include <QLabel>
#include <QPixmap>

#include <array>

#include "core/view/UnitStatusPanel.h"
#include "gui/forms/CTemplateControls.h"

namespace korvanta::gui {

// The two-station form's unit status panel: per position the unit's picture, its radio, its
// battery and its sensor, drawn from the artwork at the labels' sizes and kept once drawn.
class CUnitStatusPictures {
public:
    // The panel's labels among the form's controls.
    explicit CUnitStatusPictures(const CTemplateControls& controls);

    void Show(const UnitStatusPanel& panel, qreal pixelRatio);

private:
    void SetPicture(QLabel* label, const QString& path, qreal pixelRatio);

    std::array<QLabel*, UnitStatusPanel::kPositions> unitPictures_{};
    std::array<QLabel*, UnitStatusPanel::kPositions> radioIcons_{};
    std::array<QLabel*, UnitStatusPanel::kPositions> batteryGauges_{};
    std::array<QLabel*, UnitStatusPanel::kPositions> sensorIcons_{};
    QHash<QString, QPixmap> pictures_;
};

}  // namespace korvanta::gui
