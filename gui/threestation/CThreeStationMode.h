#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "core/document/CKorvantaDoc.h"
#include "core/host/IClock.h"
#include "core/host/IMessageSink.h"
#include "core/link/CLinkState.h"
#include "core/threestation/ThreeStationSetup.h"
#include "core/host/IDocumentSettings.h"
#include "gui/forms/ICommandTarget.h"
#include "gui/forms/IFormFrame.h"

namespace korvanta::sim {
class InProcessKit;
}

namespace korvanta::gui {

class CThreeStationForm;

// What switching to and from the three-station mode works with; all must outlive it.
struct ThreeStationModeContext {
    CKorvantaDoc* document = nullptr;
    CLinkState* link = nullptr;
    IFormFrame* frame = nullptr;
    IMessageSink* messages = nullptr;
    IClock* clock = nullptr;
    const IDocumentSettings* settings = nullptr;
    // The in-process kit; while no scenario is named it lays its main out at the distances the
    // user enters. May be null.
    sim::InProcessKit* kit = nullptr;
    // Saves the two-station measurement as "Gem" does; false when it was not saved.
    std::function<bool()> saveDocument;
    // Puts the two-station view back into the frame.
    std::function<void()> restoreView;
    // The setup wizard and the kv3 file dialogs; tests answer in their place.
    std::function<std::optional<ThreeStationSetup>()> runSetup;
    std::function<QString(bool save)> askFileName;
};

// The "&Mode" switch: "3 sendere" (asking first when the two-station measurement is unsaved)
// puts the three-station form and its menu in the frame; the form's "2 sendere" comes back here.
class CThreeStationMode final : public ICommandTarget {
public:
    explicit CThreeStationMode(ThreeStationModeContext context);
    ~CThreeStationMode() override;

    bool OnCommand(uint32_t id) override;

    // True when the mode was entered (false when the user cancelled or the save failed).
    bool Enter();
    void Leave();
    CThreeStationForm* Form() const { return form_; }

private:
    std::optional<ThreeStationSetup> RunSetupWizard();
    QString AskFileName(bool save);
    void LayOutSimulatedMain(float redBlue, float blueYellow);

    ThreeStationModeContext context_;
    CThreeStationForm* form_ = nullptr;
};

}  // namespace korvanta::gui
