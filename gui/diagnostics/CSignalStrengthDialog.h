#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <array>
#include <vector>

#include "core/diagnostics/SignalStrengthTest.h"
#include "core/link/IClock.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/diagnostics/CSignalStrengthBarView.h"

namespace korvanta::gui {

// "Radiosignalstyrke": finds the outstations that answer and tests their radio links in turn
// until the user presses "Slut", with a bar and the Perfekt/OK/Fejl counts per outstation.
class CSignalStrengthDialog final : public QDialog {
    Q_OBJECT

public:
    CSignalStrengthDialog(CLinkState& link, IClock& clock, int radioMode, QWidget* parent = nullptr);

    // One timer tick at the clock's time.
    void Tick();
    const SignalStrengthTest& Test() const { return test_; }
    void done(int result) override;

private:
    struct Row {
        CSignalStrengthBarView* bar = nullptr;
        QLabel* wait = nullptr;
        std::vector<QLabel*> details;  // the row labels, counts and percentages
    };
    void Redraw();

    IClock& clock_;
    SignalStrengthTest test_;
    std::array<Row, SignalStrengthTest::kOutstations> rows_;
    bool searchShown_ = false;
    QTimer timer_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
