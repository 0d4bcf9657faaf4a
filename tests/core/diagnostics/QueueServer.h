#pragma once

#include <vector>

#include "core/link/CLinkState.h"
#include "core/link/LinkCommands.h"
#include "tests/core/link/KitIntegrationRig.h"

namespace korvanta::test {

// Plays the comms thread on the test's thread: runs what the dialogs queued through the real
// command routines against the in-process kit, and remembers what was asked.
class QueueServer {
public:
    explicit QueueServer(InProcessRig& rig) : rig_(rig) {}

    // Runs every queued command; returns how many ran.
    int RunAll()
    {
        int count = 0;
        LinkCommand command;
        while (rig_.state.GetNextCommand(command)) {
            Run(command);
            ++count;
        }
        return count;
    }

    std::vector<LinkCommand> ran;

private:
    void Run(const LinkCommand& c)
    {
        ran.push_back(c);
        uint32_t error = 0;
        LinkCommands& commands = *rig_.commands;
        switch (c.code) {
        case TM_GET_INTERFACE_VERSION:
            commands.GetInterfaceVersion(error);
            break;
        case TM_GET_OUTSTATION_VERSION:
            commands.GetOutstationVersion(c.unit, error);
            break;
        case TM_GET_SENSOR_STATUS:
            commands.GetSensorStatus(c.unitMask, error);
            break;
        case TM_GET_CHARGE_STATUS:
            commands.RequestChargeStatus(error);
            break;
        case TM_START_LISTENING_MODE:
            commands.StartListeningMode(c.unit, error);
            break;
        case TM_STOP_LISTENING_MODE:
            commands.StopListeningMode(error);
            break;
        case TM_GET_HEADPHONE_STATUS:
            commands.GetHeadphoneStatus(error);
            break;
        case TM_GET_DIAGNOSTICS_INFO:
            commands.GetDiagnosticsInfo(c.unit, error);
            break;
        case TM_TEST_RADIO_COMMS:
            commands.TestRadioComms(c.unit, c.flag != 0);
            break;
        default:
            break;
        }
    }

    InProcessRig& rig_;
};

}  // namespace korvanta::test
