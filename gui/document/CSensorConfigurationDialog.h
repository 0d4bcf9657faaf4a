#pragma once

#include <QButtonGroup>
#include <QDialog>

#include <cstdint>

#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace sensorsctl {
enum ControlId { kOk = 1, kCancel = 2, kFirstChoice = 1322, kFirstPicture = 1420 };
}  // namespace sensorsctl

// "Sensorkonfiguration": which two units are correlated, one radio button per combination
// beside the pictures of sensor 1 and sensor 2.
class CSensorConfigurationDialog final : public QDialog {
    Q_OBJECT

public:
    CSensorConfigurationDialog(uint32_t pairCode, QWidget* parent = nullptr);

    // The chosen combination's pair code.
    uint32_t PairCode() const;

private:
    QButtonGroup choices_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
