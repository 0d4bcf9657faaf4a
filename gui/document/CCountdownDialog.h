#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "core/dialogs/Countdown.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace countdownctl {
enum ControlId { kProgress = 1636, kZero = 1637, kTop = 1638 };
}  // namespace countdownctl

// "Vent venligst der beregnes...": counts down while the hardware settles and closes itself
// with OK when the time has run out. Enter and Escape do not close it early.
class CCountdownDialog final : public QDialog {
    Q_OBJECT

public:
    CCountdownDialog(int seconds, int tickMilliseconds = Countdown::kTickMilliseconds, QWidget* parent = nullptr);

    // One second has passed (the dialog's timer calls it).
    void Tick();
    int Position() const { return progress_->value(); }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    Countdown countdown_;
    QProgressBar* progress_ = nullptr;
    QTimer timer_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
