#include "core/diagnostics/ListeningSession.h"

#include <utility>

#include "core/text/StringIds.h"

namespace korvanta {

ListeningSession::ListeningSession(CLinkState& link, IClock& clock, IWaitPump* pump, CountdownRunner countdown)
    : link_(link), clock_(clock), pump_(pump), runCountdown_(std::move(countdown))
{
    RequestUnitStatus();
}

uint32_t ListeningSession::ListeningMessage(int unit)
{
    static constexpr uint32_t kMessages[kUnits] = {str::kListeningInterface, str::kListeningRed, str::kListeningBlue,
                                                   str::kListeningYellow};
    return unit >= 0 && unit < kUnits ? kMessages[unit] : str::kListeningNotReached;
}

void ListeningSession::Start()
{
    SetStatus(str::kReady);
}

void ListeningSession::SetStatus(uint32_t id)
{
    statusId_ = id;
    if (statusListener_) {
        statusListener_(id);
    }
}

void ListeningSession::RequestUnitStatus()
{
    if (!link_.IsLinkUp()) {
        return;
    }
    link_.SetSensorStatusUpdated(false);
    LinkCommand command;
    command.code = TM_GET_SENSOR_STATUS;
    command.unitMask = 15;
    link_.PostCommand(command);
}

void ListeningSession::ReadUnitStatus()
{
    for (int unit = 0; unit < kUnits; ++unit) {
        bool present = false;
        bool sensor = false;
        link_.GetUnitStatus(unit, present, sensor);
        present_[unit] = present ? 1 : 0;
        sensor_[unit] = sensor ? 1 : 0;
    }
    buttonsOn_ = true;
}

void ListeningSession::Pause(int64_t ms)
{
    // In poll-sized steps so that the window keeps painting.
    for (int64_t left = ms; left > 0; left -= kPollMs) {
        clock_.SleepMs(left < kPollMs ? left : kPollMs);
        if (pump_ != nullptr) {
            pump_->Pump();
        }
    }
}

bool ListeningSession::WaitFor(bool (CLinkState::*updated)() const)
{
    const int64_t start = clock_.NowMs();
    if (pump_ != nullptr) {
        pump_->BeginWait();
    }
    bool answered = false;
    do {
        answered = (link_.*updated)();
        if (answered) {
            break;
        }
        Pause(kPollMs);
    } while (clock_.NowMs() - start < kAnswerTimeoutMs && link_.IsLinkUp());
    if (pump_ != nullptr) {
        pump_->EndWait();
    }
    return answered;
}

bool ListeningSession::HeadphonesConnected()
{
    SetStatus(str::kCheckingHeadphone);
    if (!link_.IsLinkUp()) {
        return false;
    }
    link_.SetHeadphoneUpdated(false);
    LinkCommand command;
    command.code = TM_GET_HEADPHONE_STATUS;
    link_.PostCommand(command);
    return WaitFor(&CLinkState::IsHeadphoneUpdated) && link_.GetHeadphone();
}

bool ListeningSession::StartListening(int unit)
{
    if (!listening_) {
        SetStatus(str::kStartingListening);
    }
    if (!link_.IsLinkUp()) {
        return false;
    }
    link_.SetListeningUpdated(false);
    LinkCommand command;
    command.code = TM_START_LISTENING_MODE;
    command.unit = unit;
    link_.PostCommand(command);
    if (!WaitFor(&CLinkState::IsListeningUpdated) || !link_.GetListening()) {
        return false;
    }
    countdown_ = kRenewalTicks;
    listening_ = true;
    return true;
}

bool ListeningSession::StopListening()
{
    bool stopped = false;
    if (selected_ == 0) {
        if (link_.IsLinkUp()) {
            link_.SetListeningUpdated(false);
            LinkCommand command;
            command.code = TM_STOP_LISTENING_MODE;
            link_.PostCommand(command);
            stopped = WaitFor(&CLinkState::IsListeningUpdated) && !link_.GetListening();
        }
    } else {
        // An outstation cannot be told to stop; it stops by itself when its time runs out.
        stopped = runCountdown_ ? runCountdown_(countdown_ < 0 ? 0 : countdown_) : true;
    }
    Pause(kSettleMs);
    listening_ = false;
    return stopped;
}

void ListeningSession::PressListen(int unit)
{
    if (unit < 0 || unit >= kUnits || busy_ || (unit == selected_ && listening_)) {
        return;
    }
    busy_ = true;
    if (listening_ && !StopListening()) {
        SetStatus(str::kListeningNotReached);
        busy_ = false;
        buttonsOn_ = false;  // the next tick enables them again
        return;
    }
    selected_ = unit;
    if (sensor_[unit] == 0) {
        SetStatus(str::kNoSensorConnected);
    } else if (!HeadphonesConnected()) {
        SetStatus(str::kHeadphoneNotConnected);
    } else {
        SetStatus(StartListening(unit) ? ListeningMessage(unit) : str::kListeningNotReached);
    }
    buttonsOn_ = true;
    busy_ = false;
}

void ListeningSession::Tick()
{
    if (listening_) {
        if (countdown_ >= 0) {
            --countdown_;
        }
        if (countdown_ < 0 && !busy_) {
            busy_ = true;
            Pause(kRenewPauseMs);
            if (!StartListening(selected_)) {
                listening_ = false;
                SetStatus(str::kListeningNotReached);
            }
            busy_ = false;
        }
        return;
    }
    if (++ticks_ >= kStatusEveryTicks) {
        ticks_ = 0;
        RequestUnitStatus();
    }
    ReadUnitStatus();
}

void ListeningSession::Close()
{
    busy_ = true;
    if (listening_) {
        StopListening();
    }
}

}  // namespace korvanta
