#pragma once

#include <QObject>

#include <functional>
#include <vector>

#include "core/host/IWaitPump.h"

namespace korvanta::gui {

// Keeps the window painting during the blocking waits on the user-interface thread (starting
// the stations, the firmware check): shows the wait cursor and runs every pending event except
// the user's input, so no command can start meanwhile. Waits may nest. What must not happen
// inside a wait (a message box from the comms thread would open its own event loop under the
// wait cursor) is held back until the outermost wait ends.
class CWaitPump final : public IWaitPump {
public:
    void BeginWait() override;
    void Pump() override;
    void EndWait() override;

    bool IsWaiting() const { return depth_ > 0; }
    // Runs `action` now when no wait runs, else from the event loop once the outermost wait has
    // ended. Held actions are dropped with the pump.
    void RunAfterWait(std::function<void()> action);

private:
    int depth_ = 0;
    QObject context_;
    std::vector<std::function<void()>> afterWait_;
};

}  // namespace korvanta::gui
