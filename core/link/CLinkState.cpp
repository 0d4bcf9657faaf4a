#include "core/link/CLinkState.h"

#include <algorithm>

namespace korvanta {

namespace {

constexpr int kInterfaceBit = 1;
// An outstation is dropped only after this many consecutive status answers without it; a
// single lost radio reply must not make it flicker off the screen.
constexpr unsigned kMissesBeforeAbsent = 2;
// Unit status with which an outstation reports that it is not there.
constexpr uint8_t kStatusAbsent = 4;

using Lock = std::lock_guard<std::recursive_mutex>;

bool ValidCode(int code)
{
    return code >= 0 && code <= kLastCommsCommandCode;
}

}  // namespace

bool CLinkState::PostCommand(const LinkCommand& command)
{
    if (!ValidCode(command.code)) {
        return false;
    }
    {
        Lock lock(lock_);
        queue_.push_front(command);
    }
    commandPosted_.Notify();
    return true;
}

bool CLinkState::PostUrgentCommand(const LinkCommand& command)
{
    if (!ValidCode(command.code)) {
        return false;
    }
    {
        Lock lock(lock_);
        queue_.push_back(command);
    }
    commandPosted_.Notify();
    return true;
}

bool CLinkState::GetNextCommand(LinkCommand& command)
{
    Lock lock(lock_);
    if (queue_.empty()) {
        return false;
    }
    command = std::move(queue_.back());
    queue_.pop_back();
    return true;
}

void CLinkState::ClearCommands()
{
    Lock lock(lock_);
    queue_.clear();
}

bool CLinkState::IsQueueEmpty() const
{
    Lock lock(lock_);
    return queue_.empty();
}

void CLinkState::SetRadioTestResult(const uint8_t* reply, bool ok)
{
    Lock lock(lock_);
    if (reply != nullptr) {
        std::copy(reply, reply + RadioTestResult::kReplyBytes, radioTest_.reply.begin());
    }
    radioTest_.ok = ok ? 1 : 0;
    radioTest_.done = 1;
}

void CLinkState::SetRadioTestDone(bool done)
{
    Lock lock(lock_);
    radioTest_.done = done ? 1 : 0;
}

RadioTestResult CLinkState::GetRadioTestResult() const
{
    Lock lock(lock_);
    return radioTest_;
}

void CLinkState::SetVersion(int unit, const std::string& text)
{
    Lock lock(lock_);
    if (ValidUnit(unit)) {
        version_[unit] = text;
    }
}

void CLinkState::SetVersionUpdated(int unit, bool updated)
{
    Lock lock(lock_);
    if (ValidUnit(unit)) {
        versionUpdated_[unit] = updated ? 1 : 0;
    }
}

bool CLinkState::IsVersionUpdated(int unit) const
{
    Lock lock(lock_);
    return ValidUnit(unit) && versionUpdated_[unit] != 0;
}

std::string CLinkState::GetVersion(int unit)
{
    Lock lock(lock_);
    if (!ValidUnit(unit)) {
        return {};
    }
    versionUpdated_[unit] = 0;
    return version_[unit];
}

void CLinkState::SetDiagnostics(int unit, const std::string& text)
{
    Lock lock(lock_);
    if (ValidUnit(unit)) {
        diagnostics_[unit] = text;
    }
}

void CLinkState::SetDiagnosticsUpdated(int unit, bool updated)
{
    Lock lock(lock_);
    if (ValidUnit(unit)) {
        diagnosticsUpdated_[unit] = updated ? 1 : 0;
    }
}

bool CLinkState::IsDiagnosticsUpdated(int unit) const
{
    Lock lock(lock_);
    return ValidUnit(unit) && diagnosticsUpdated_[unit] != 0;
}

std::string CLinkState::GetDiagnostics(int unit)
{
    Lock lock(lock_);
    if (!ValidUnit(unit)) {
        return {};
    }
    diagnosticsUpdated_[unit] = 0;
    return diagnostics_[unit];
}

void CLinkState::SetChargeStatus(const std::array<int, kUnits>& batteries, int charging)
{
    Lock lock(lock_);
    battery_ = batteries;
    charging_ = charging;
}

void CLinkState::SetChargeUpdated(bool updated)
{
    Lock lock(lock_);
    chargeUpdated_ = updated ? 1 : 0;
}

bool CLinkState::IsChargeUpdated() const
{
    Lock lock(lock_);
    return chargeUpdated_ != 0;
}

void CLinkState::GetChargeStatus(std::array<int, kUnits>& batteries, int& charging)
{
    Lock lock(lock_);
    batteries = battery_;
    charging = charging_;
    chargeUpdated_ = 0;
}

void CLinkState::UpdateUnitPresence(int presentMask, int sensorMask, int whichMask)
{
    Lock lock(lock_);
    if (whichMask & kInterfaceBit) {
        if (presentMask & kInterfaceBit) {
            if (!present_[0]) {
                SetLinkUp(true);
            }
            present_[0] = 1;
            sensor_[0] = (sensorMask & kInterfaceBit) ? 1 : 0;
        } else {
            if (present_[0]) {
                SetLinkUp(false);
            }
            present_[0] = 0;
            sensor_[0] = 0;
        }
    }
    for (int unit = 1; unit < kUnits; ++unit) {
        const int bit = 1 << unit;
        if (!(whichMask & bit)) {
            continue;
        }
        if (presentMask & bit) {
            present_[unit] = 1;
            missed_[unit] = 0;
            sensor_[unit] = (sensorMask & bit) ? 1 : 0;
        } else if (++missed_[unit] >= kMissesBeforeAbsent) {
            // Stays at the threshold so that a long absence cannot wrap the count.
            missed_[unit] = kMissesBeforeAbsent;
            present_[unit] = 0;
            sensor_[unit] = 0;
        }
    }
}

void CLinkState::SetSensorStatusUpdated(bool updated)
{
    Lock lock(lock_);
    sensorStatusUpdated_ = updated ? 1 : 0;
}

bool CLinkState::IsSensorStatusUpdated() const
{
    Lock lock(lock_);
    return sensorStatusUpdated_ != 0;
}

void CLinkState::GetUnitStatus(int unit, bool& present, bool& sensor) const
{
    Lock lock(lock_);
    present = ValidUnit(unit) && present_[unit] != 0;
    sensor = ValidUnit(unit) && sensor_[unit] != 0;
}

void CLinkState::SetListening(bool listening)
{
    Lock lock(lock_);
    listening_ = listening ? 1 : 0;
}

void CLinkState::SetListeningUpdated(bool updated)
{
    Lock lock(lock_);
    listeningUpdated_ = updated ? 1 : 0;
}

bool CLinkState::IsListeningUpdated() const
{
    Lock lock(lock_);
    return listeningUpdated_ != 0;
}

bool CLinkState::GetListening()
{
    Lock lock(lock_);
    listeningUpdated_ = 0;
    return listening_ != 0;
}

void CLinkState::SetHeadphone(bool connected)
{
    Lock lock(lock_);
    headphone_ = connected ? 1 : 0;
}

void CLinkState::SetHeadphoneUpdated(bool updated)
{
    Lock lock(lock_);
    headphoneUpdated_ = updated ? 1 : 0;
}

bool CLinkState::IsHeadphoneUpdated() const
{
    Lock lock(lock_);
    return headphoneUpdated_ != 0;
}

bool CLinkState::GetHeadphone()
{
    Lock lock(lock_);
    headphoneUpdated_ = 0;
    return headphone_ != 0;
}

void CLinkState::SetSamplingStarted(bool started)
{
    Lock lock(lock_);
    samplingStarted_ = started ? 1 : 0;
}

void CLinkState::SetSamplingAnswered(bool answered)
{
    Lock lock(lock_);
    samplingAnswered_ = answered ? 1 : 0;
}

bool CLinkState::IsSamplingAnswered() const
{
    Lock lock(lock_);
    return samplingAnswered_ != 0;
}

bool CLinkState::GetSamplingStarted()
{
    Lock lock(lock_);
    samplingAnswered_ = 0;
    return samplingStarted_ != 0;
}

void CLinkState::StoreDataBlock(const DataBlockRecord& record)
{
    Lock lock(lock_);
    dataBlock_ = record;
    const int unit = record.unit;
    if (!ValidUnit(unit)) {
        return;
    }
    battery_[unit] = record.battery;
    present_[unit] = (record.status != kStatusAbsent) ? 1 : 0;
    switch (record.status) {
    case 1:
        sensor_[unit] = 1;
        break;
    case 0:
    case 2:
    case 3:
        sensor_[unit] = 0;
        break;
    default:
        break;  // other states say nothing about the sensor
    }
}

void CLinkState::SetDataBlockReady(bool ready)
{
    Lock lock(lock_);
    blockReady_ = ready ? 1 : 0;
}

bool CLinkState::IsDataBlockReady() const
{
    Lock lock(lock_);
    return blockReady_ != 0;
}

void CLinkState::FetchDataBlock(DataBlockRecord& record)
{
    Lock lock(lock_);
    record = dataBlock_;
    blockReady_ = 0;
}

void CLinkState::SetLinkUp(bool up)
{
    Lock lock(lock_);
    linkUp_ = up ? 1 : 0;
    linkChanged_ = 1;
}

bool CLinkState::GetLinkUp()
{
    Lock lock(lock_);
    linkChanged_ = 0;
    return linkUp_ != 0;
}

bool CLinkState::IsLinkUp() const
{
    Lock lock(lock_);
    return linkUp_ != 0;
}

bool CLinkState::IsLinkChanged() const
{
    Lock lock(lock_);
    return linkChanged_ != 0;
}

void CLinkState::SetResetPressed(bool pressed)
{
    Lock lock(lock_);
    resetPressed_ = pressed ? 1 : 0;
}

bool CLinkState::GetResetPressed()
{
    Lock lock(lock_);
    const bool pressed = resetPressed_ != 0;
    resetPressed_ = 0;
    return pressed;
}

void CLinkState::SetPortResult(bool opened, uint16_t code)
{
    Lock lock(lock_);
    portOpened_ = opened ? 1 : 0;
    portOpenCode_ = code;
    portResultPending_ = 1;
}

bool CLinkState::GetPortResult()
{
    Lock lock(lock_);
    portResultPending_ = 0;
    return portOpened_ != 0;
}

uint16_t CLinkState::PortOpenCode() const
{
    Lock lock(lock_);
    return portOpenCode_;
}

bool CLinkState::IsPortResultPending() const
{
    Lock lock(lock_);
    return portResultPending_ != 0;
}

}  // namespace korvanta
