#include "core/link/LinkCommand.h"

#include <array>

namespace korvanta {

const char* CommsCommandName(int code)
{
    static constexpr std::array<const char*, kLastCommsCommandCode + 1> kNames = {
        "TM_END_THREAD",        "TM_CONFIGURE_COM_PORT", "TM_GET_INTERFACE_VERSION", "TM_GET_OUTSTATION_VERSION",
        "TM_GET_SENSOR_STATUS", "TM_GET_CHARGE_STATUS",  "TM_START_LISTENING_MODE",  "TM_STOP_LISTENING_MODE",
        "TM_SELECT_SENSORS",    "TM_SET_RADIO_MODE",     "TM_GET_HEADPHONE_STATUS",  "TM_GET_DIAGNOSTICS_INFO",
        "TM_CONTROL_BEACONS",   "TM_START_SAMPLING",     "TM_GET_DATA_BLOCK",        "TM_STOP_CORRELATING",
        "TM_SUSPEND_COMMS",     "TM_RESUME_COMMS",       "TM_TEST_RADIO_COMMS",
    };
    if (code < 0 || code > kLastCommsCommandCode) {
        return nullptr;
    }
    return kNames[static_cast<size_t>(code)];
}

}  // namespace korvanta
