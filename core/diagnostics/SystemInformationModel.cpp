#include "core/diagnostics/SystemInformationModel.h"

#include "core/link/FirmwareCheck.h"
#include "core/text/StringIds.h"

namespace korvanta {

void SystemInformationModel::Prepare()
{
    for (int unit = 0; unit < kUnits; ++unit) {
        link_.SetVersionUpdated(unit, false);
    }
    LinkCommand interfaceVersion;
    interfaceVersion.code = TM_GET_INTERFACE_VERSION;
    link_.PostCommand(interfaceVersion);
    for (int unit = 1; unit < kUnits; ++unit) {
        LinkCommand outstationVersion;
        outstationVersion.code = TM_GET_OUTSTATION_VERSION;
        outstationVersion.unit = unit;
        link_.PostCommand(outstationVersion);
    }
}

bool SystemInformationModel::Tick()
{
    bool changed = false;
    for (int unit = 0; unit < kUnits; ++unit) {
        if (received_[unit] != 0 || !link_.IsVersionUpdated(unit)) {
            continue;
        }
        version_[unit] = link_.GetVersion(unit);
        status_[unit] = IsFirmwareCompatible(version_[unit]) ? str::kCompatible : str::kIncompatible;
        received_[unit] = 1;
        changed = true;
    }
    return changed;
}

}  // namespace korvanta
