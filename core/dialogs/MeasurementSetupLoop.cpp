#include "core/dialogs/MeasurementSetupLoop.h"

#include "core/pipe/Pipe.h"

namespace korvanta {

SetupDialogState MeasurementSetupLoop::StateFor(const PipeSections& pipe, uint32_t range)
{
    SetupDialogState state;
    // A range outside 0..2 is not taken; the dialog keeps its first radio.
    state.timeIndex = range < kTimeIndices ? static_cast<int>(range) : 0;
    state.editable = GetSectionCount(pipe) == 0;
    return state;
}

std::optional<uint32_t> MeasurementSetupLoop::Run(MeasurementSetupHost& host)
{
    for (;;) {
        const SetupDialogResult result = host.RunSetupDialog(StateFor(host.Pipe(), host.Range()));
        switch (result.choice) {
        case SetupChoice::Ok: {
            std::optional<uint32_t> range;
            if (result.timeIndex >= 0 && result.timeIndex < kTimeIndices)
                range = static_cast<uint32_t>(result.timeIndex);
            host.SetupClosed(range);
            return range;
        }
        case SetupChoice::Pipe:
            host.SetupClosed(std::nullopt);
            host.RunPipeData();
            break;
        case SetupChoice::Sensor:
            host.SetupClosed(std::nullopt);
            host.RunSensorCombination();
            break;
        case SetupChoice::Cancel:
            host.SetupClosed(std::nullopt);
            return std::nullopt;
        }
    }
}

}  // namespace korvanta
