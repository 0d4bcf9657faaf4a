#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// Codes of the commands that the user interface queues for the comms thread.
enum CommsCommandCode : int {
    TM_END_THREAD = 0,
    TM_CONFIGURE_COM_PORT = 1,
    TM_GET_INTERFACE_VERSION = 2,
    TM_GET_OUTSTATION_VERSION = 3,
    TM_GET_SENSOR_STATUS = 4,
    TM_GET_CHARGE_STATUS = 5,
    TM_START_LISTENING_MODE = 6,
    TM_STOP_LISTENING_MODE = 7,
    TM_SELECT_SENSORS = 8,
    TM_SET_RADIO_MODE = 9,
    TM_GET_HEADPHONE_STATUS = 10,
    TM_GET_DIAGNOSTICS_INFO = 11,
    TM_CONTROL_BEACONS = 12,
    TM_START_SAMPLING = 13,
    TM_GET_DATA_BLOCK = 14,
    TM_STOP_CORRELATING = 15,
    TM_SUSPEND_COMMS = 16,
    TM_RESUME_COMMS = 17,
    TM_TEST_RADIO_COMMS = 18,
};

inline constexpr int kLastCommsCommandCode = TM_TEST_RADIO_COMMS;

// One queued command; fields a command does not use are ignored.
struct LinkCommand {
    int code = TM_END_THREAD;
    std::string portName;
    int unit = 0;      // unit number: 0 interface unit, 1 red, 2 blue, 3 yellow
    int unitMask = 0;  // unit bits: 1 interface unit, 2 red, 4 blue, 8 yellow
    uint8_t flag = 0;
    int radioMode = 0;
    int sensorMask = 0;
    uint8_t threeStation = 0;
};

// The command's name as the comms thread logs it, or nullptr for an unknown code.
const char* CommsCommandName(int code);

}  // namespace korvanta
