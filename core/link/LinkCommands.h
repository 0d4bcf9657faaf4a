#pragma once

#include <cstdint>

#include "core/host/IBlockReadyNotifier.h"
#include "core/link/CLinkState.h"
#include "core/link/CRadioLink.h"
#include "core/link/ILinkLibrary.h"

namespace korvanta {

// One routine per command of the interface unit: each builds its request, runs one exchange,
// checks the reply and leaves what it learned in the link state. A routine that can fail
// reports why through `errorId` (a string-table ID), which the caller presets to "no error".
// Runs on the comms thread only.
class LinkCommands {
public:
    // Reply time-outs in milliseconds.
    static constexpr int64_t kTimeoutShortMs = 3000;
    static constexpr int64_t kTimeoutOutstationMs = 6000;
    static constexpr int64_t kTimeoutSensorStatusMs = 18000;
    static constexpr int64_t kTimeoutStartSamplingMs = 12000;
    static constexpr int64_t kTimeoutDataBlockMs = 5000;
    // Further wait for a data block while the link is alive: over a lossy radio link the reply
    // can need many retransmissions, and the interface unit always answers a block request.
    static constexpr int64_t kDataBlockLateMs = 10000;
    static constexpr int64_t kTimeoutRadioTestMs = 2000;

    // `notifier` may be null when nobody needs to hear of new data blocks.
    LinkCommands(CRadioLink& link, ILinkLibrary& library, CLinkState& state, IBlockReadyNotifier* notifier);

    bool GetInterfaceVersion(uint32_t& errorId);
    bool GetOutstationVersion(int unit, uint32_t& errorId);
    bool GetSensorStatus(int unitMask, uint32_t& errorId);
    bool GetInterfaceSensorStatus(uint32_t& errorId);
    bool RequestChargeStatus(uint32_t& errorId);
    bool StartListeningMode(int unit, uint32_t& errorId);
    bool StopListeningMode(uint32_t& errorId);
    bool SelectSensors(int unitMask, uint32_t& errorId);
    bool SetRadioMode(int mode, uint32_t& errorId);
    bool GetHeadphoneStatus(uint32_t& errorId);
    bool GetDiagnosticsInfo(int unit, uint32_t& errorId);
    bool ControlBeacons(bool on, uint32_t& errorId);
    bool StartSampling(uint32_t& errorId);
    bool GetDataBlock(bool threeStation, uint32_t& errorId);
    // Leaves the reply (or the failure) in the link state's radio-test result.
    bool TestRadioComms(int unit, bool flag);
    // Clears the battery and presence results while communication is suspended.
    void SuspendComms();

private:
    bool SensorStatus(int unitMask, int64_t timeoutMs, bool interfaceOnly, uint32_t& errorId);
    bool CommunicationFailed(uint32_t& errorId);

    CRadioLink& link_;
    ILinkLibrary& library_;
    CLinkState& state_;
    IBlockReadyNotifier* notifier_;
};

}  // namespace korvanta
