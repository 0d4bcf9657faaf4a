#pragma once

#include <optional>

#include "core/values/LinkActivity.h"

namespace korvanta {

// Declared only, so that the host interfaces stay below the three-station model: whoever
// implements or calls RunSetup includes core/threestation/ThreeStationSetup.h.
class ThreeStationSetup;

// What the three-station form asks of the main frame and the application around it.
//
// Threads: user-interface thread only, like the form that calls it. RunSetup runs the modal
// setup wizard on that thread and answers when the user closes it; the rest return at once.
class IThreeStationHost {
public:
    virtual ~IThreeStationHost() = default;
    // Switches every menu on or off (off while a measurement runs).
    virtual void EnableAllMenus(bool enable) = 0;
    // The filter command makes no sense on the combined result, nor while a measurement runs.
    virtual void EnableFiltersCommand(bool enable) = 0;
    // The outstations' transmit power: 2 low, 3 high.
    virtual int GetRadioMode() const = 0;
    // Runs the setup wizard: the set-up, or nothing on Cancel.
    virtual std::optional<ThreeStationSetup> RunSetup() = 0;
    // A set-up is being applied with these distances red-blue and blue-yellow.
    virtual void SetupApplied(float redBlue, float blueYellow) = 0;
    // What the link is busy with, for the status pane: a start under way, a measurement and its
    // count of block sets, or nothing.
    virtual void ShowLinkActivity(LinkActivity /*activity*/, unsigned /*blockSets*/) {}
};

}  // namespace korvanta
