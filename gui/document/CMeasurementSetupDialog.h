#pragma once

#include <QButtonGroup>
#include <QDialog>

#include "core/dialogs/MeasurementSetupLoop.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace setupctl {
enum ControlId {
    kOk = 1,
    kCancel = 2,
    kPipe = 3,
    kStandard = 1262,
    kMedium = 1263,
    kLong = 1264,
    kTimeFrame = 1268,
    kSensor = 1328,
    kSettingsFrame = 1595,
};
}  // namespace setupctl

// "Måleopsætning": the measurement time (only while no pipe section exists) and the ways to the
// pipe data ("Rør") and the sensor combination ("Sensor").
class CMeasurementSetupDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CMeasurementSetupDialog(const SetupDialogState& state, QWidget* parent = nullptr);

    // The button that closed the dialog and the radio then chosen.
    SetupDialogResult Result() const { return result_; }

private:
    void Close(SetupChoice choice);

    QButtonGroup times_;
    SetupDialogResult result_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
