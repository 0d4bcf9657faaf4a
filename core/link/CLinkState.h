#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

#include "core/correlation/DataBlockRecord.h"
#include "core/host/WakeSignal.h"
#include "core/link/LinkCommand.h"
#include "core/link/RadioTestResult.h"

namespace korvanta {

// Meeting point of the comms thread and the user interface: the command queue and the result
// slots the command routines fill. Every operation takes the one re-entrant lock for its own
// duration only. Units are addressed by unit number 0..3; other numbers are ignored.
class CLinkState {
public:
    static constexpr int kUnits = 4;

    // Queue. The comms thread takes from the tail: ordinary commands go in at the head and so
    // run in the order posted, an urgent command goes in at the tail and runs next.
    bool PostCommand(const LinkCommand& command);
    bool PostUrgentCommand(const LinkCommand& command);
    bool GetNextCommand(LinkCommand& command);
    void ClearCommands();
    bool IsQueueEmpty() const;
    // Signalled by every command posted, so that the comms thread's pauses end when there is
    // work instead of running out their time.
    WakeSignal& CommandPosted() { return commandPosted_; }

    // Radio test: written whole with done set last; read once done is 1.
    void SetRadioTestResult(const uint8_t* reply, bool ok);
    void SetRadioTestDone(bool done);
    RadioTestResult GetRadioTestResult() const;

    void SetVersion(int unit, const std::string& text);
    void SetVersionUpdated(int unit, bool updated);
    bool IsVersionUpdated(int unit) const;
    std::string GetVersion(int unit);  // clears the unit's version-updated flag

    void SetDiagnostics(int unit, const std::string& text);
    void SetDiagnosticsUpdated(int unit, bool updated);
    bool IsDiagnosticsUpdated(int unit) const;
    std::string GetDiagnostics(int unit);  // clears the unit's diagnostics-updated flag

    void SetChargeStatus(const std::array<int, kUnits>& batteries, int charging);
    void SetChargeUpdated(bool updated);
    bool IsChargeUpdated() const;
    void GetChargeStatus(std::array<int, kUnits>& batteries, int& charging);  // clears charge-updated

    // P = units that answered, S = units with a sensor, W = the units the answer is about.
    void UpdateUnitPresence(int presentMask, int sensorMask, int whichMask);
    void SetSensorStatusUpdated(bool updated);
    bool IsSensorStatusUpdated() const;
    void GetUnitStatus(int unit, bool& present, bool& sensor) const;

    void SetListening(bool listening);
    void SetListeningUpdated(bool updated);
    bool IsListeningUpdated() const;
    bool GetListening();  // clears listening-updated

    void SetHeadphone(bool connected);
    void SetHeadphoneUpdated(bool updated);
    bool IsHeadphoneUpdated() const;
    bool GetHeadphone();  // clears headphone-updated

    void SetSamplingStarted(bool started);
    void SetSamplingAnswered(bool answered);
    bool IsSamplingAnswered() const;
    bool GetSamplingStarted();  // clears sampling-answered

    // Stores the record and takes the unit's battery, presence and sensor from it.
    void StoreDataBlock(const DataBlockRecord& record);
    void SetDataBlockReady(bool ready);
    bool IsDataBlockReady() const;
    void FetchDataBlock(DataBlockRecord& record);  // clears block-ready

    void SetLinkUp(bool up);  // also marks the link as changed
    bool GetLinkUp();         // clears link-changed
    bool IsLinkUp() const;    // leaves link-changed for the one who waits on it
    bool IsLinkChanged() const;

    void SetResetPressed(bool pressed);
    bool GetResetPressed();  // clears reset-pressed

    // `code` is the link library's answer to the open (0 when it opened).
    void SetPortResult(bool opened, uint16_t code = 0);  // also marks the result as pending
    bool GetPortResult();                                // clears port-result-pending
    bool IsPortResultPending() const;
    uint16_t PortOpenCode() const;

private:
    static bool ValidUnit(int unit) { return unit >= 0 && unit < kUnits; }

    mutable std::recursive_mutex lock_;

    RadioTestResult radioTest_;
    std::array<uint8_t, kUnits> versionUpdated_ = {};
    std::array<uint8_t, kUnits> diagnosticsUpdated_ = {};
    uint8_t sensorStatusUpdated_ = 0;
    uint8_t chargeUpdated_ = 0;
    uint8_t listeningUpdated_ = 0;
    uint8_t headphoneUpdated_ = 0;
    uint8_t blockReady_ = 0;
    uint8_t samplingAnswered_ = 0;
    std::array<uint8_t, kUnits> present_ = {};
    std::deque<LinkCommand> queue_;
    WakeSignal commandPosted_;
    std::array<std::string, kUnits> version_;
    std::array<std::string, kUnits> diagnostics_;
    std::array<int, kUnits> battery_ = {};
    int charging_ = 0;
    uint8_t listening_ = 0;
    uint8_t headphone_ = 0;
    uint8_t samplingStarted_ = 0;
    std::array<uint8_t, kUnits> sensor_ = {};
    std::array<unsigned, kUnits> missed_ = {};  // outstations only; entry 0 unused
    DataBlockRecord dataBlock_;
    uint8_t linkChanged_ = 0;
    uint8_t linkUp_ = 0;
    uint8_t resetPressed_ = 0;
    uint8_t portResultPending_ = 0;
    uint8_t portOpened_ = 0;
    uint16_t portOpenCode_ = 0;
};

}  // namespace korvanta
