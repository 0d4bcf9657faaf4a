#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <string>

#include "core/link/CLinkState.h"
#include "gui/app/CTemplateLayout.h"

namespace korvanta::gui {

// The "Initialisation" dialog: asks the comms thread to open a port and shows the two steps
// (port opened, interface unit answering) with a result icon each, a progress bar 0..40 stepped
// every 500 ms and, on failure, the reason and an enabled "Luk". Closes itself, accepted, a
// second after both steps succeeded. Leaving it cancels nothing already queued.
class CInitialisationDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTimerMs = 500;
    static constexpr int kTicksPerStep = 20;
    static constexpr int kCloseDelayMs = 1000;

    enum class Step { PortRequested, WaitingForInterface, Succeeded, Failed };

    CInitialisationDialog(CLinkState& link, std::string portName, QWidget* parent = nullptr);

    // Runs the dialog modally; true when the interface unit answered.
    static bool Run(CLinkState& link, const std::string& portName, QWidget* parent);

    // Queues the port request and starts the timer (also done when the dialog is shown).
    void Start();
    // One timer tick; public so that tests can drive the steps without real time.
    void Tick();
    // The pause between success and closing (tests shorten it).
    void SetCloseDelay(int ms) { closeDelayMs_ = ms; }
    void SetTimerRunning(bool running);

    Step CurrentStep() const { return step_; }

public:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TickPortStep();
    void TickInterfaceStep();
    void Fail(QLabel* icon, const QString& message, int progress);
    void StepProgress(int& ticks);

    CLinkState& link_;
    std::string portName_;
    CTemplateLayout layout_;
    QLabel* opening_ = nullptr;
    QLabel* portIcon_ = nullptr;
    QLabel* talking_ = nullptr;
    QLabel* interfaceIcon_ = nullptr;
    QLabel* message_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer timer_;
    Step step_ = Step::PortRequested;
    int portTicks_ = 0;
    int interfaceTicks_ = 0;
    int closeDelayMs_ = kCloseDelayMs;
    bool started_ = false;
};

}  // namespace korvanta::gui
