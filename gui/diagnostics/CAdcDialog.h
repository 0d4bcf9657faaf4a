#pragma once

#include <QDialog>
#include <QTimer>

#include <array>

#include "core/diagnostics/AdcReadings.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/diagnostics/CVoltageRow.h"

namespace korvanta::gui {

// "ADC-målinger": the eleven voltages each unit measures, refreshed every second.
class CAdcDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CAdcDialog(CLinkState& link, QWidget* parent = nullptr);

    void Tick();
    CVoltageRow* Row(int unit) const { return rows_[static_cast<size_t>(unit)]; }
    void done(int result) override;

private:
    AdcReadings readings_;
    std::array<CVoltageRow*, AdcReadings::kUnits> rows_ = {};
    QTimer timer_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
