#pragma once

#include <cstdint>

#include "sim/KitOptions.h"

namespace korvanta::sim {

// What a timeline can do to a running kit.
class KitControls {
public:
    virtual ~KitControls() = default;

    virtual void SetUnitOn(int unit, bool on) = 0;
    virtual void SetSensor(int unit, bool plugged) = 0;
    virtual uint8_t Battery(int unit) const = 0;
    virtual void SetBattery(int unit, uint8_t value) = 0;
    virtual void SetCharging(bool charging) = 0;
    virtual void SetHeadphones(bool connected) = 0;
    virtual void PressResetButton() = 0;
    virtual void SetSilent(bool silent) = 0;
    virtual void SetLineFaults(const LineFaultShares& shares) = 0;
};

}  // namespace korvanta::sim
