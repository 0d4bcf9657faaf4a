#pragma once

#include "core/view/IViewHost.h"

namespace korvanta::gui {

class CAppSettings;
class CMainFrame;

// The main frame and the application's settings as the two-station view needs them.
class CFrameViewHost final : public IViewHost {
public:
    CFrameViewHost(CMainFrame& frame, CAppSettings& settings) : frame_(frame), settings_(settings) {}

    void EnableAllMenus(bool enable) override;
    void SetCommAvailable() override;
    void ClearCommAvailable() override;
    int GetRadioMode() const override;
    void EnableVelocityCommand(bool enable) override;
    void SetUnitSystem(UnitSystem units) override;
    void SetTimeUnit(TimeUnit time) override;
    void ShowLinkActivity(LinkActivity activity, unsigned blockPairs) override;

private:
    CMainFrame& frame_;
    CAppSettings& settings_;
};

}  // namespace korvanta::gui
