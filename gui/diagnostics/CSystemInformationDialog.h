#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <array>

#include "core/diagnostics/SystemInformationModel.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template; the per-unit ones for interface, red, blue, yellow.
namespace systeminfoctl {
inline constexpr int kOk = 1;
inline constexpr std::array<int, 4> kPictureIds = {1274, 1275, 1276, 1277};
inline constexpr std::array<int, 4> kVersionIds = {1269, 1270, 1271, 1272};
inline constexpr std::array<int, 4> kStatusIds = {1487, 1488, 1489, 1490};
}  // namespace systeminfoctl

// "Systeminformation": the firmware version of each unit and whether the program works with it.
class CSystemInformationDialog final : public QDialog {
    Q_OBJECT

public:
    // The model must have been prepared (its requests queued) and outlive the dialog.
    CSystemInformationDialog(SystemInformationModel& model, QWidget* parent = nullptr);

    void Tick();
    void done(int result) override;

private:
    SystemInformationModel& model_;
    std::array<QLabel*, SystemInformationModel::kUnits> version_ = {};
    std::array<QLabel*, SystemInformationModel::kUnits> status_ = {};
    QTimer timer_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
