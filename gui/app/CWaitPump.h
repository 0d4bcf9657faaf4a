#pragma once

#include "core/document/IWaitPump.h"

namespace korvanta::gui {

// Keeps the window painting during the blocking waits on the user-interface thread (starting
// the stations, the firmware check): shows the wait cursor and runs every pending event except
// the user's input, so no command can start meanwhile. Waits may nest.
class CWaitPump final : public IWaitPump {
public:
    void BeginWait() override;
    void Pump() override;
    void EndWait() override;

    bool IsWaiting() const { return depth_ > 0; }

private:
    int depth_ = 0;
};

}  // namespace korvanta::gui
