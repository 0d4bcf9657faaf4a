#pragma once

#include "core/values/LinkActivity.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

// What the two-station view asks of the main frame and the application around it.
//
// Threads: user-interface thread only; the view calls it while it handles a document hint, a
// timer or a command, and every call returns at once except SaveModifiedMeasurement, which may
// run a modal question and a save dialog on that thread before it answers.
class IViewHost {
public:
    virtual ~IViewHost() = default;
    // Switches every menu on or off (off while a measurement runs) and redraws the menu bar.
    virtual void EnableAllMenus(bool enable) = 0;
    // The link is usable: enables the commands that need it and checks the firmware versions.
    virtual void SetCommAvailable() = 0;
    virtual void ClearCommAvailable() = 0;
    // The outstations' transmit power: 2 low, 3 high.
    virtual int GetRadioMode() const = 0;
    virtual void EnableVelocityCommand(bool enable) = 0;
    // Keeps the user's choice of units in the settings.
    virtual void SetUnitSystem(UnitSystem units) = 0;
    virtual void SetTimeUnit(TimeUnit time) = 0;
    // What the measurement does with the link, for the status pane; `blockPairs` counts while
    // measuring.
    virtual void ShowLinkActivity(LinkActivity /*activity*/, unsigned /*blockPairs*/) {}
    // Before a new measurement replaces one that was never saved: asks whether to save it and
    // saves it (asking for a name when it has none). False when the user cancels or the save
    // fails: the measurement must stay and nothing starts.
    virtual bool SaveModifiedMeasurement() { return true; }
};

}  // namespace korvanta
