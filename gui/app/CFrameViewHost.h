#pragma once

#include <functional>

#include "core/host/IViewHost.h"

namespace korvanta::gui {

class CAppSettings;
class CMainFrame;

// The main frame and the application's settings as the two-station view needs them.
class CFrameViewHost final : public IViewHost {
public:
    // `saveModified` asks about an unsaved measurement and saves it; empty: nothing is asked.
    CFrameViewHost(CMainFrame& frame, CAppSettings& settings, std::function<bool()> saveModified = {})
        : frame_(frame), settings_(settings), saveModified_(std::move(saveModified))
    {
    }

    void EnableAllMenus(bool enable) override;
    void SetCommAvailable() override;
    void ClearCommAvailable() override;
    int GetRadioMode() const override;
    void EnableVelocityCommand(bool enable) override;
    void SetUnitSystem(UnitSystem units) override;
    void SetTimeUnit(TimeUnit time) override;
    void ShowLinkActivity(LinkActivity activity, unsigned blockPairs) override;
    bool SaveModifiedMeasurement() override;

private:
    CMainFrame& frame_;
    CAppSettings& settings_;
    std::function<bool()> saveModified_;
};

}  // namespace korvanta::gui
