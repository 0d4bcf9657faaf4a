#include "sim/scenario/FieldKitControls.h"

namespace korvanta::sim {

uint8_t FieldKitControls::Battery(int unit) const
{
    if (unit < 0 || unit >= kKitUnits) {
        return 0;
    }
    return kit_.Snapshot().units[static_cast<size_t>(unit)].battery;
}

void FieldKitControls::SetLineFaults(const LineFaultShares& shares)
{
    if (device_ != nullptr) {
        device_->SetLineFaults(shares);
    }
}

}  // namespace korvanta::sim
