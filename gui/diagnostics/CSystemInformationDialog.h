#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <array>

#include "core/diagnostics/SystemInformationModel.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

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
