#pragma once

#include <cstdint>
#include <optional>

#include "core/pipe/PipeSection.h"

namespace korvanta {

// How the measurement setup dialog ("Måleopsætning") was closed.
enum class SetupChoice { Ok = 0, Pipe = 1, Sensor = 2, Cancel = 3 };

// What the dialog is shown with: the measurement-time index (the correlation range 0..2) and
// whether it may be changed (only while the pipe has no section).
struct SetupDialogState {
    int timeIndex = 0;
    bool editable = false;
};

// The dialog's closing: the button and the index of the chosen measurement-time radio.
struct SetupDialogResult {
    SetupChoice choice = SetupChoice::Cancel;
    int timeIndex = 0;
};

// The "Korrelation" command: the setup dialog is shown again after each detour through the pipe
// data ("Rør") or the sensor combination ("Sensor"); only its own OK or Cancel ends the command.
// The document runs it with the three dialogs of the window.
class MeasurementSetupHost {
public:
    virtual ~MeasurementSetupHost() = default;
    virtual SetupDialogResult RunSetupDialog(const SetupDialogState& state) = 0;
    virtual void RunPipeData() = 0;
    virtual void RunSensorCombination() = 0;
    // The current pipe and range, read afresh for every showing.
    virtual const PipeSections& Pipe() const = 0;
    virtual uint32_t Range() const = 0;
    // The dialog closed: `range` holds the confirmed measurement time, if any. Runs after every
    // showing (the document is marked modified each time).
    virtual void SetupClosed(std::optional<uint32_t> range) = 0;
};

class MeasurementSetupLoop {
public:
    static constexpr int kTimeIndices = 3;
    // A confirmed range, or nullopt when the user cancelled.
    static std::optional<uint32_t> Run(MeasurementSetupHost& host);
    // The state one showing starts from.
    static SetupDialogState StateFor(const PipeSections& pipe, uint32_t range);
};

}  // namespace korvanta
