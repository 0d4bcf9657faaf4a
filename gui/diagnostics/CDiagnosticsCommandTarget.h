#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

#include "core/host/IClock.h"
#include "core/host/IMessageSink.h"
#include "core/host/IWaitPump.h"
#include "core/link/CLinkState.h"
#include "core/host/IClock.h"
#include "core/host/IMessageSink.h"
#include "gui/forms/ICommandTarget.h"
#include "gui/forms/IFormFrame.h"

namespace korvanta::gui {

// The frame's diagnostics commands: "Systemstatus", "Systeminformation", "Lyttekonfiguration",
// "Test" (the ADC measurements) and "Radiosignalstyrke". Each runs its dialog modally; a dialog
// that cannot be shown is reported with message 62116 where the frame's commands say so.
class CDiagnosticsCommandTarget final : public ICommandTarget {
public:
    struct Context {
        IFormFrame* frame = nullptr;
        CLinkState* link = nullptr;
        IClock* clock = nullptr;
        IWaitPump* waitPump = nullptr;
        IMessageSink* messages = nullptr;
    };

    explicit CDiagnosticsCommandTarget(Context context) : context_(context) {}

    bool OnCommand(uint32_t id) override;

    // Runs a dialog modally; tests replace it to look at the dialog and close it.
    void SetRunner(std::function<int(QDialog&)> run) { run_ = std::move(run); }

private:
    int Run(QDialog& dialog, bool reportFailure);

    Context context_;
    std::function<int(QDialog&)> run_;
};

}  // namespace korvanta::gui
