#include "gui/app/CFrameViewHost.h"

#include "gui/app/CAppSettings.h"
#include "gui/app/CMainFrame.h"

namespace korvanta::gui {

void CFrameViewHost::EnableAllMenus(bool enable)
{
    frame_.EnableAllMenus(enable);
}

void CFrameViewHost::SetCommAvailable()
{
    frame_.SetCommAvailable();
}

void CFrameViewHost::ClearCommAvailable()
{
    frame_.ClearCommAvailable();
}

int CFrameViewHost::GetRadioMode() const
{
    return frame_.GetRadioMode();
}

void CFrameViewHost::EnableVelocityCommand(bool enable)
{
    frame_.EnableVelocityCommand(enable);
}

void CFrameViewHost::SetUnitSystem(UnitSystem units)
{
    settings_.SetUnitSystem(units);
    frame_.UpdateCommandUi();
}

void CFrameViewHost::SetTimeUnit(TimeUnit time)
{
    settings_.SetTimeUnit(time);
    frame_.UpdateCommandUi();
}

void CFrameViewHost::ShowLinkActivity(LinkActivity activity, unsigned blockPairs)
{
    frame_.ShowLinkActivity(activity, blockPairs);
}

bool CFrameViewHost::SaveModifiedMeasurement()
{
    return !saveModified_ || saveModified_();
}

}  // namespace korvanta::gui
