#pragma once

#include <array>

#include "core/link/CLinkState.h"

namespace korvanta {

// What the system status dialog shows of each unit, refreshed once a second from the link state;
// fresh battery and sensor reports are asked for every ten seconds.
class SystemStatusModel {
public:
    static constexpr int kUnits = CLinkState::kUnits;
    static constexpr int kTickMs = 1000;
    static constexpr int kTicksPerRequest = 10;

    struct UnitView {
        bool present = false;
        bool sensor = false;
        int batteryLevel = 6;  // 0..6, 6 unknown
        bool charging = false;
        int batteryImage = 0;
        int radioIcon = 0;
        int sensorIcon = 0;
    };

    SystemStatusModel(CLinkState& link, int radioMode) : link_(link), radioMode_(radioMode) {}

    // Asks for the charge and sensor reports (the frame runs it before the dialog opens).
    void Prepare();
    // One tick of the dialog's timer: Refresh, and every tenth tick Prepare.
    void Tick();
    // Reads the link state into the unit views.
    void Refresh();
    // OK: requests still queued are dropped.
    void Close() { link_.ClearCommands(); }

    const UnitView& Unit(int unit) const { return units_[unit]; }
    int RadioMode() const { return radioMode_; }

private:
    CLinkState& link_;
    int radioMode_;
    int ticks_ = 0;
    std::array<UnitView, kUnits> units_;
};

}  // namespace korvanta
