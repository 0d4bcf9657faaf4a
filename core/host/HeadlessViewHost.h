#pragma once

#include "core/host/IViewHost.h"

namespace korvanta {

// The frame of a view that has no window: the command-line tool and the printed page's renderer
// lay a stored measurement out without menus to switch or settings to keep.
class HeadlessViewHost final : public IViewHost {
public:
    void EnableAllMenus(bool) override {}
    void SetCommAvailable() override {}
    void ClearCommAvailable() override {}
    int GetRadioMode() const override { return 3; }
    void EnableVelocityCommand(bool) override {}
    void SetUnitSystem(UnitSystem) override {}
    void SetTimeUnit(TimeUnit) override {}
};

}  // namespace korvanta
