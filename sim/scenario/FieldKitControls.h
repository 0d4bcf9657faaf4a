#pragma once

#include "sim/FieldKit.h"
#include "sim/KitDevice.h"
#include "sim/scenario/KitControls.h"

namespace korvanta::sim {

// A timeline's hold on a real kit: the units through the field kit, the line through its device.
class FieldKitControls final : public KitControls {
public:
    // Both must outlive this object; without a device, line faults are not applied.
    FieldKitControls(FieldKit& kit, KitDevice* device) : kit_(kit), device_(device) {}

    void SetUnitOn(int unit, bool on) override { kit_.SetUnitOn(unit, on); }
    void SetSensor(int unit, bool plugged) override { kit_.SetSensor(unit, plugged); }
    uint8_t Battery(int unit) const override;
    void SetBattery(int unit, uint8_t value) override { kit_.SetBattery(unit, value); }
    void SetCharging(bool charging) override { kit_.SetCharging(charging); }
    void SetHeadphones(bool connected) override { kit_.SetHeadphones(connected); }
    void PressResetButton() override { kit_.PressResetButton(); }
    void SetSilent(bool silent) override { kit_.SetSilent(silent); }
    void SetLineFaults(const LineFaultShares& shares) override;

private:
    FieldKit& kit_;
    KitDevice* device_;
};

}  // namespace korvanta::sim
