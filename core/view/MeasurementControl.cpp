#include "core/view/MeasurementControl.h"

#include <array>

#include "core/document/CKorvantaDoc.h"
#include "core/document/DocumentHints.h"
#include "core/host/IViewHost.h"
#include "core/link/CLinkState.h"
#include "core/result/ResultTexts.h"
#include "core/text/StringIds.h"
#include "core/view/BatteryWarnings.h"
#include "core/view/CorrelationDisplay.h"
#include "core/view/ModalMessageGate.h"

namespace korvanta {

MeasurementControl::MeasurementControl(CKorvantaDoc& document, CLinkState& link, IViewHost& host,
                                       ModalMessageGate& messages, IClock& clock, CorrelationDisplay& display)
    : document_(document), link_(link), host_(host), messages_(messages), clock_(clock), display_(display)
{
}

void MeasurementControl::InitialUpdate()
{
    panel_.SetCombination(static_cast<int>(document_.SensorPairCode()));
    activity_ = 0;
    bool sensor = false;
    bool present = false;
    link_.GetUnitStatus(kInterfaceUnit, present, sensor);
    panel_.SetUnitStatus(kInterfaceUnit, present, sensor);
    startEnabled_ = present;
}

uint32_t MeasurementControl::StartButtonText() const
{
    return running_ ? str::kStop : str::kStart;
}

// --- START and STOP ------------------------------------------------------------------------------

void MeasurementControl::StartStop()
{
    if (starting_) {
        return;  // the stations have not answered yet
    }
    if (running_) {
        Stop();
    } else {
        Start();
    }
}

void MeasurementControl::StopBeforeSave()
{
    if (running_) {
        Stop();
    }
}

void MeasurementControl::Start()
{
    // A finished measurement nobody saved is not thrown away unasked.
    if (document_.HasUnsavedMeasurement() && !host_.SaveModifiedMeasurement()) {
        return;
    }
    starting_ = true;
    display_.MeasurementStarted();
    ResultDisplayReset();
    activity_ = 0;
    host_.ShowLinkActivity(LinkActivity::Starting, 0);
    const bool started = document_.StartMeasurement();
    starting_ = false;
    if (!started) {
        host_.ShowLinkActivity(LinkActivity::Idle, 0);
        return;
    }
    host_.ShowLinkActivity(LinkActivity::Measuring, 0);
    measuring_ = true;
    host_.EnableAllMenus(false);
    startMs_ = clock_.NowMs();
    elapsedText_ = kZeroElapsedTime;
    running_ = true;
}

void MeasurementControl::Stop()
{
    StopSteps();
    running_ = false;
}

void MeasurementControl::StopSteps()
{
    document_.StopMeasurement();
    measuring_ = false;
    host_.ShowLinkActivity(LinkActivity::Idle, 0);
    activity_ = 0;
    document_.SetMeasuringTime(elapsedText_);
    display_.MeasurementStopped();
    host_.EnableAllMenus(true);
    host_.EnableVelocityCommand(true);
}

void MeasurementControl::StopAndSuspend()
{
    if (measuring_) {
        StopSteps();
        running_ = false;
    }
    LinkCommand suspend;
    suspend.code = TM_SUSPEND_COMMS;
    link_.PostUrgentCommand(suspend);
    host_.ClearCommAvailable();
    startEnabled_ = false;
}

void MeasurementControl::ElapsedTick()
{
    if (!measuring_) {
        return;
    }
    elapsedText_ = ElapsedTimeText((clock_.NowMs() - startMs_) / 1000);
}

// --- Hints ------------------------------------------------------------------------------------------

void MeasurementControl::NewResult()
{
    display_.ShowNewResult();
    activity_ = activity_ >= kActivityMaximum ? 0 : activity_ + 1;
    if (measuring_) {
        host_.ShowLinkActivity(LinkActivity::Measuring, document_.PairTotal());
    }
}

void MeasurementControl::MeasurementMustEnd()
{
    if (measuring_) {
        StopSteps();
    }
    running_ = false;
    startEnabled_ = InterfacePresent();
    // A station the blocks told us about is named; a lost link or failed re-synchronisation is not.
    const uint32_t reason = document_.EndReason();
    messages_.ShowMessage(reason != 0 ? reason : str::kMeasurementStopped, kStyleExclamation);
}

void MeasurementControl::SensorsChanged()
{
    panel_.SetCombination(static_cast<int>(document_.SensorPairCode()));
}

void MeasurementControl::DocumentLoaded()
{
    elapsedText_ = document_.MeasuringTime();
}

void MeasurementControl::ResultDisplayReset()
{
    elapsedText_.clear();
}

// --- Ticks --------------------------------------------------------------------------------------------

void MeasurementControl::StatusPoll()
{
    if (messages_.BoxOpen()) {
        return;
    }
    if (link_.IsLinkChanged()) {
        if (link_.GetLinkUp()) {
            startEnabled_ = true;
            host_.SetCommAvailable();
        } else {
            startEnabled_ = false;
            host_.ClearCommAvailable();
            if (measuring_) {
                document_.UpdateAllViews(kHintMeasurementEnded);
            }
            panel_.ClearCharging();
        }
    }
    if (link_.GetResetPressed()) {
        ResetPressed();
    }
    CriticalBatteryCheck();
    RefreshPanel();
}

void MeasurementControl::ResetPressed()
{
    if (measuring_) {
        document_.UpdateAllViews(kHintMeasurementEnded);
        messages_.ShowMessage(str::kResetPressedDuringMeasurement, kStyleExclamation);
    }
    link_.ClearCommands();
    LinkCommand radio;
    radio.code = TM_SET_RADIO_MODE;
    radio.radioMode = host_.GetRadioMode();
    link_.PostCommand(radio);
    LinkCommand sensors;
    sensors.code = TM_SELECT_SENSORS;
    sensors.sensorMask = document_.Settings().GetSensorPairCode();
    link_.PostCommand(sensors);
    if (InterfacePresent()) {
        host_.SetCommAvailable();
    }
}

void MeasurementControl::CriticalBatteryCheck()
{
    if (!link_.IsChargeUpdated()) {
        return;
    }
    std::array<int, CLinkState::kUnits> raw{};
    int charging = 0;
    link_.GetChargeStatus(raw, charging);
    panel_.SetCharge(raw, charging != 0);
    if (InterfaceBatteryCritical(raw[kInterfaceUnit]) &&
        messages_.ShowMessage(str::kCriticalBatteryInterface, kStyleYesNo | kStyleStop) == MessageAnswer::No) {
        StopAndSuspend();
    }
}

void MeasurementControl::RefreshPanel()
{
    const int pairCode = static_cast<int>(document_.SensorPairCode());
    for (int unit = 0; unit < kStatusUnits; ++unit) {
        if (unit == kInterfaceUnit || (pairCode & (1 << unit)) != 0) {
            bool present = false;
            bool sensor = false;
            link_.GetUnitStatus(unit, present, sensor);
            panel_.SetUnitStatus(unit, present, sensor);
        }
    }
    panel_.Refresh(pairCode, host_.GetRadioMode());
}

void MeasurementControl::BatteryWarningTick()
{
    if (messages_.BoxOpen()) {
        return;
    }
    for (const MessageRequest& warning : BatteryWarnings(panel_)) {
        messages_.ShowMessage(warning.id, warning.style);
    }
}

bool MeasurementControl::InterfacePresent() const
{
    bool present = false;
    bool sensor = false;
    link_.GetUnitStatus(kInterfaceUnit, present, sensor);
    return present;
}

}  // namespace korvanta
