#include "core/app/FrameCommandState.h"

#include <algorithm>
#include <array>

#include "core/app/CommandIds.h"
#include "core/app/RecentFileList.h"

namespace korvanta {

namespace {

// What each command of the main menu and the toolbar does beside the three-station form; a
// command that is not listed has nothing to work on there (the two-station record, the view)
// and is grayed.
struct ThreeStationRoute {
    uint32_t id;
    uint32_t routed;
};
constexpr auto kThreeStationRoutes = std::to_array<ThreeStationRoute>({
    {cmd::kFileNew, cmd::kThreeStationNew},
    {cmd::kFileOpen, cmd::kThreeStationOpen},
    {cmd::kFileSave, cmd::kThreeStationSave},
    {cmd::kThreeStationNew, cmd::kThreeStationNew},
    {cmd::kThreeStationOpen, cmd::kThreeStationOpen},
    {cmd::kThreeStationSave, cmd::kThreeStationSave},
    {cmd::kSystemInformation, cmd::kSystemInformation},
    {cmd::kFilters, cmd::kFilters},
    {cmd::kBeaconsOn, cmd::kBeaconsOn},
    {cmd::kBeaconsOff, cmd::kBeaconsOff},
    {cmd::kRadioModeLow, cmd::kRadioModeLow},
    {cmd::kRadioModeHigh, cmd::kRadioModeHigh},
    {cmd::kListeningConfiguration, cmd::kListeningConfiguration},
    {cmd::kTwoStationMode, cmd::kTwoStationMode},
    {cmd::kThreeStationMode, cmd::kThreeStationMode},
    {cmd::kAppAbout, cmd::kAppAbout},
});

const ThreeStationRoute* FindRoute(uint32_t id)
{
    const auto it = std::find_if(kThreeStationRoutes.begin(), kThreeStationRoutes.end(),
                                 [id](const ThreeStationRoute& route) { return route.id == id; });
    return it != kThreeStationRoutes.end() ? &*it : nullptr;
}

}  // namespace

FrameCommandState::FrameCommandState()
{
    flags_.fill(true);
}

void FrameCommandState::EnableAllMenus(bool on)
{
    for (int i = 0; i < kCommandGroupCount; ++i) {
        const auto group = static_cast<CommandGroup>(i);
        if (group != CommandGroup::Test && group != CommandGroup::SystemStatus &&
            group != CommandGroup::VelocityCalculation) {
            flags_[i] = on;
        }
    }
    topLevelEnabled_ = on;
    if (on && !threeStationForm_) {
        SetStationChecks(true, false);
    }
}

void FrameCommandState::SetFlag(CommandGroup group, bool on)
{
    flags_[static_cast<int>(group)] = on;
}

bool FrameCommandState::Flag(CommandGroup group) const
{
    return flags_[static_cast<int>(group)];
}

void FrameCommandState::SetRadioMode(int mode)
{
    if (mode != kRadioModeLow && mode != kRadioModeHigh) {
        return;
    }
    radioMode_ = mode;
    lowChecked_ = mode == kRadioModeLow;
    highChecked_ = mode == kRadioModeHigh;
}

void FrameCommandState::SetStationChecks(bool twoStations, bool threeStations)
{
    twoStationChecked_ = twoStations;
    threeStationChecked_ = threeStations;
}

uint32_t FrameCommandState::Routed(uint32_t id) const
{
    if (!threeStationForm_) {
        return id;
    }
    const ThreeStationRoute* route = FindRoute(id);
    return route != nullptr ? route->routed : id;
}

std::optional<bool> FrameCommandState::IsEnabled(uint32_t id) const
{
    // The recent files open a file as "Åben" does, and follow its flag.
    if (id >= cmd::kFileRecentFirst && id < cmd::kFileRecentFirst + RecentFileList::kDefaultCapacity) {
        return Flag(CommandGroup::Open);
    }
    const MenuEntry* entry = FindMenuCommand(id);
    if (entry == nullptr) {
        return std::nullopt;
    }
    if (threeStationForm_) {
        if (FindRoute(id) == nullptr) {
            return false;
        }
        entry = FindMenuCommand(Routed(id));
    }
    switch (entry->rule) {
    case EnableRule::Always:
        return true;
    case EnableRule::Flag:
        return Flag(entry->group);
    case EnableRule::FlagAndComm:
        return Flag(entry->group) && commAvailable_;
    case EnableRule::Form:
        break;
    }
    return std::nullopt;
}

std::optional<bool> FrameCommandState::IsChecked(uint32_t id) const
{
    switch (id) {
    case cmd::kRadioModeLow:
        return lowChecked_;
    case cmd::kRadioModeHigh:
        return highChecked_;
    case cmd::kTwoStationMode:
        return twoStationChecked_;
    case cmd::kThreeStationMode:
        return threeStationChecked_;
    default:
        return std::nullopt;
    }
}

}  // namespace korvanta
