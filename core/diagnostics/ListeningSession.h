#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "core/host/IClock.h"
#include "core/host/IWaitPump.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// Listening to one unit's sensor on the interface unit's headphones. Checks the sensor and the
// headphones, starts listening mode, renews it while the dialog is open (an outstation leaves
// listening mode by itself some 15 s after the last start) and ends it when the user switches
// unit or closes. Each request waits up to 6 s on the caller's thread, polling every 100 ms.
//
// While the link is down no request is queued: a request could only wait in the queue for
// ever, and a wait for its answer would fail anyway.
class ListeningSession {
public:
    static constexpr int kUnits = CLinkState::kUnits;
    static constexpr int kTickMs = 1000;
    static constexpr int64_t kPollMs = 100;
    static constexpr int64_t kAnswerTimeoutMs = 6000;
    static constexpr int kRenewalTicks = 15;
    static constexpr int kStatusEveryTicks = 10;
    static constexpr int64_t kSettleMs = 500;
    static constexpr int64_t kRenewPauseMs = 1000;

    // Waits out an outstation's remaining listening time (the countdown dialog); true when it
    // ran to its end.
    using CountdownRunner = std::function<bool(int seconds)>;
    // Told each new status as it is set, also in the middle of a press, so that the window can
    // show it while the request it names is waited for.
    using StatusListener = std::function<void(uint32_t statusId)>;

    ListeningSession(CLinkState& link, IClock& clock, IWaitPump* pump, CountdownRunner countdown);

    void Start();                // status "Klar"
    void PressListen(int unit);  // a listen button
    void Tick();                 // the dialog's one-second timer
    void Close();                // "Luk": ends listening
    void SetStatusListener(StatusListener listener) { statusListener_ = std::move(listener); }

    uint32_t StatusId() const { return statusId_; }
    bool Listening() const { return listening_; }
    int Selected() const { return selected_; }
    int Countdown() const { return countdown_; }
    bool Present(int unit) const { return present_[unit] != 0; }
    bool Sensor(int unit) const { return sensor_[unit] != 0; }
    bool ButtonEnabled(int unit) const { return !busy_ && buttonsOn_ && present_[unit] != 0; }
    bool CloseEnabled() const { return !busy_ && buttonsOn_; }

    // The status message shown while listening to `unit`.
    static uint32_t ListeningMessage(int unit);

private:
    void RequestUnitStatus();
    void ReadUnitStatus();
    bool WaitFor(bool (CLinkState::*updated)() const);
    bool HeadphonesConnected();
    bool StartListening(int unit);
    bool StopListening();
    void Pause(int64_t ms);
    void SetStatus(uint32_t id);

    CLinkState& link_;
    IClock& clock_;
    IWaitPump* pump_;
    CountdownRunner runCountdown_;
    StatusListener statusListener_;
    std::array<uint8_t, kUnits> present_ = {};
    std::array<uint8_t, kUnits> sensor_ = {};
    bool listening_ = false;
    int countdown_ = 0;
    int selected_ = -1;
    bool busy_ = false;
    bool buttonsOn_ = false;
    int ticks_ = 0;
    uint32_t statusId_ = 0;
};

}  // namespace korvanta
