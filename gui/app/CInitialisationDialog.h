#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <string>

#include "core/link/CLinkState.h"
#include "core/link/LinkBringUp.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace initialisationctl {
enum ControlId {
    kOpeningText = 1610,
    kTalkingText = 1611,
    kPortIcon = 1613,
    kInterfaceIcon = 1614,
    kMessageText = 1615,
    kProgress = 1616,
    kCloseButton = 2,
};
}  // namespace initialisationctl

// The "Initialisation" dialog: ticks a LinkBringUp every 500 ms and shows its two steps (port
// opened, interface unit answering) with a result icon each, its progress bar 0..40 and, on
// failure, the reason and an enabled "Luk". Closes itself, accepted, a second after both steps
// succeeded. Leaving it cancels nothing already queued.
class CInitialisationDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTimerMs = 500;
    static constexpr int kCloseDelayMs = 1000;

    using Step = LinkBringUp::Step;

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

    Step CurrentStep() const { return bringUp_.CurrentStep(); }

public:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows the steps as the bring-up has them after a tick.
    void ShowSteps();

    LinkBringUp bringUp_;
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
    int closeDelayMs_ = kCloseDelayMs;
    bool started_ = false;
};

}  // namespace korvanta::gui
