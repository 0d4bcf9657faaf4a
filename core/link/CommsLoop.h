#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

#include "core/link/CRadioLink.h"
#include "core/link/CommsContext.h"
#include "core/link/CommsLog.h"
#include "core/link/LinkCommand.h"
#include "core/link/LinkCommands.h"

namespace korvanta {

// The body of the comms thread: waits for a port, then runs queued commands one per pass and
// polls the units between them. Everything here but the link state is private to the thread.
class CommsLoop {
public:
    static constexpr int64_t kPassPauseMs = 100;
    static constexpr int64_t kPortSettleMs = 1300;
    static constexpr int64_t kPollIntervalMs = 2000;
    static constexpr int kStartSamplingRetries = 3;
    static constexpr int32_t kBaudRate = 57600;
    static constexpr int kDefaultSensorMask = 6;  // red and blue
    static constexpr int kFirstPollUnit = 2;      // red
    // An outstation plays on the headphones for some 15 s after the last start of listening and
    // then stops by itself; nobody tells this thread. Past this time the poll runs again.
    static constexpr int64_t kStationListeningMs = 20000;

    CommsLoop(const CommsContext& context, std::stop_token stop);

    // Runs until a TM_END_THREAD command or a stop request; returns 0.
    int Run();

    // The outstation bit the periodic poll asks after `pollUnit`, among those selected in
    // `sensorMask`; the interface bit plays no part.
    static int NextPollUnit(int pollUnit, int sensorMask);

private:
    bool WaitForPort();
    bool OpenPort(const std::string& portName);
    void RunCommand(const LinkCommand& command);
    void ConfigurePort(const std::string& portName);
    void StartSampling();
    void FetchDataBlock(bool threeStation);
    void PollUnits();
    bool ListeningNow() const;
    void LogError(const char* name);
    bool Stopping() const { return stop_.stop_requested(); }

    CommsContext context_;
    CLinkState& state_;
    ILinkLibrary& library_;
    IClock& clock_;
    std::stop_token stop_;
    CRadioLink link_;
    LinkCommands commands_;
    CommsLog log_;

    bool portOpen_ = false;
    uint16_t portOpenCode_ = 0;  // the link library's answer to the last open
    bool sampling_ = false;
    bool listening_ = false;
    int listeningUnit_ = 0;
    int64_t listeningSinceMs_ = 0;
    bool suspended_ = false;
    bool end_ = false;
    int sensorMask_ = kDefaultSensorMask;
    int pollUnit_ = kFirstPollUnit;
    int64_t lastPoll_ = 0;
};

}  // namespace korvanta
