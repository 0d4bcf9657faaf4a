#include "core/diagnostics/AdcReadings.h"

namespace korvanta {

void AdcReadings::Start()
{
    for (int unit = 0; unit < kUnits; ++unit) {
        texts_[unit].clear();
        link_.SetDiagnostics(unit, std::string());
    }
    linkWasUp_ = link_.IsLinkUp();
    for (int unit = 0; unit < kUnits; ++unit) {
        if (linkWasUp_) {
            Ask(unit);
        }
    }
}

void AdcReadings::Ask(int unit)
{
    LinkCommand command;
    command.code = TM_GET_DIAGNOSTICS_INFO;
    command.unit = unit;
    link_.PostCommand(command);
    waiting_[unit] = true;
}

bool AdcReadings::Tick()
{
    const bool up = link_.IsLinkUp();
    const bool cameBack = up && !linkWasUp_;
    linkWasUp_ = up;
    bool changed = false;
    for (int unit = 0; unit < kUnits; ++unit) {
        if (link_.IsDiagnosticsUpdated(unit)) {
            texts_[unit] = link_.GetDiagnostics(unit);
            waiting_[unit] = false;
            changed = true;
            if (up) {
                Ask(unit);
            }
        } else if (cameBack) {
            Ask(unit);
        }
    }
    return changed;
}

}  // namespace korvanta
