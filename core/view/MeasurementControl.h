#pragma once

#include <cstdint>
#include <string>

#include "core/host/IClock.h"
#include "core/view/UnitStatusPanel.h"

namespace korvanta {

class CKorvantaDoc;
class CLinkState;
class CorrelationDisplay;
class IMessageSink;
class IViewHost;
class ModalMessageGate;

// The measurement side of the two-station view: START/STOP, the elapsed time and activity bar,
// the status panel polled from the link state, the battery warnings, and what happens when the
// interface unit stops answering, is reset or runs out of battery. Timer ticks that find one of
// the view's message boxes open do nothing, so boxes never stack.
class MeasurementControl {
public:
    static constexpr int kActivityMaximum = 5;
    static constexpr const char* kZeroElapsedTime = "00:00:00";

    MeasurementControl(CKorvantaDoc& document, CLinkState& link, IViewHost& host, ModalMessageGate& messages,
                       IClock& clock, CorrelationDisplay& display);

    void InitialUpdate();

    // --- Commands and ticks -----------------------------------------------------------------------
    // Button START/STOP. A press while the stations are asked to start (the window waits for
    // them) is ignored.
    void StartStop();
    // The document is about to be saved while the measurement runs: stop as STOP does.
    void StopBeforeSave();
    void StopAndSuspend();      // command 32860
    void ElapsedTick();         // every second while measuring
    void StatusPoll();          // every 2 s
    void BatteryWarningTick();  // every 10 minutes

    // --- Hints --------------------------------------------------------------------------------------
    void NewResult();           // hint 100
    void MeasurementMustEnd();  // hint 101
    void SensorsChanged();      // hint 104
    void DocumentLoaded();      // hint 103: the stored measuring time
    void ResultDisplayReset();  // start, hints 103 and 105: the elapsed time is emptied

    // --- What the window shows --------------------------------------------------------------------
    bool Running() const { return running_; }
    // True from the press of START until the stations answered.
    bool Starting() const { return starting_; }
    bool Measuring() const { return measuring_; }
    bool ElapsedTimerRunning() const { return measuring_; }
    uint32_t StartButtonText() const;
    bool StartButtonEnabled() const { return startEnabled_; }
    bool PresetListEnabled() const { return !running_; }
    int ActivityPosition() const { return activity_; }
    const std::string& ElapsedText() const { return elapsedText_; }
    const UnitStatusPanel& Panel() const { return panel_; }

private:
    void Start();
    void Stop();
    void StopSteps();  // the document's stop and everything up to the buttons' states
    void ShowStopped();
    void ResetPressed();
    void CriticalBatteryCheck();
    void RefreshPanel();
    bool InterfacePresent() const;

    CKorvantaDoc& document_;
    CLinkState& link_;
    IViewHost& host_;
    ModalMessageGate& messages_;
    IClock& clock_;
    CorrelationDisplay& display_;

    UnitStatusPanel panel_;
    bool running_ = false;
    bool starting_ = false;
    bool measuring_ = false;
    bool startEnabled_ = false;
    int activity_ = 0;
    int64_t startMs_ = 0;
    std::string elapsedText_ = kZeroElapsedTime;
};

}  // namespace korvanta
