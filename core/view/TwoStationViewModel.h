#pragma once

#include <cstdint>

#include "core/view/CorrelationDisplay.h"
#include "core/view/MeasurementControl.h"
#include "core/view/ModalMessageGate.h"

namespace korvanta {

// Everything the two-station window decides, in one place the window and the tests drive alike:
// the measurement control, the result display, and the routing of the document's hints to them.
class TwoStationViewModel {
public:
    TwoStationViewModel(CKorvantaDoc& document, CLinkState& link, IViewHost& host, IMessageSink& messages,
                        IClock& clock);

    // The form is shown for the first time.
    void InitialUpdate();
    // A document hint; the window redraws from this model afterwards.
    void OnDocumentUpdate(uint32_t hint);

    MeasurementControl& Control() { return control_; }
    const MeasurementControl& Control() const { return control_; }
    CorrelationDisplay& Display() { return display_; }
    const CorrelationDisplay& Display() const { return display_; }
    // True while one of the view's message boxes is open.
    bool MessageBoxOpen() const { return gate_.BoxOpen(); }
    // Shows a message of the window's own (a picture that cannot be made) through the same gate.
    MessageAnswer ShowMessage(uint32_t id, uint32_t style) { return gate_.ShowMessage(id, style); }

private:
    CKorvantaDoc& document_;
    ModalMessageGate gate_;
    CorrelationDisplay display_;
    MeasurementControl control_;
};

}  // namespace korvanta
