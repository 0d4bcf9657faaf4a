#pragma once

namespace korvanta {

// The measurement setup dialog, which the window owns. The document runs it when a measurement
// is started without any pipe section, to have the correlation range chosen.
//
// Threads: called on the user-interface thread only, from inside the document's start; it runs
// a modal dialog there and returns once the user closed it.
class IMeasurementSetup {
public:
    virtual ~IMeasurementSetup() = default;
    // True when the user confirmed a range (stored into the document by the dialog's owner).
    virtual bool RunMeasurementSetup() = 0;
};

}  // namespace korvanta
