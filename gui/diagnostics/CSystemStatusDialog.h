#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <array>

#include "core/diagnostics/SystemStatusModel.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template; the per-unit ones for interface, red, blue, yellow.
namespace systemstatusctl {
inline constexpr int kOk = 1;
inline constexpr int kUnitPictureBase = 1270;  // 1270..1273, pictures of the four units
inline constexpr std::array<int, 4> kBatteryIds = {1608, 1279, 1280, 1281};
inline constexpr std::array<int, 4> kRadioIds = {1609, 1283, 1285, 1284};
inline constexpr std::array<int, 4> kSensorIds = {1286, 1287, 1289, 1288};
}  // namespace systemstatusctl

// "Systemstatus": whether each unit answers by radio, whether its sensor is connected and its
// battery level, refreshed every second from the link state. Each picture carries its resource
// number as the property "resource".
class CSystemStatusDialog final : public QDialog {
    Q_OBJECT

public:
    // The model must have been prepared (its requests queued) and outlive the dialog.
    CSystemStatusDialog(SystemStatusModel& model, QWidget* parent = nullptr);

    // One timer tick: reads the link state and redraws the pictures.
    void Tick();

    void done(int result) override;

private:
    void Redraw();
    void Show(QLabel* label, int resource, const QPixmap& picture);

    SystemStatusModel& model_;
    std::array<QLabel*, SystemStatusModel::kUnits> battery_ = {};
    std::array<QLabel*, SystemStatusModel::kUnits> radio_ = {};
    std::array<QLabel*, SystemStatusModel::kUnits> sensor_ = {};
    QTimer timer_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
