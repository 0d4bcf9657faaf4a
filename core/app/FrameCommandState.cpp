#include "core/app/FrameCommandState.h"

#include "core/app/CommandIds.h"
#include "core/app/RecentFileList.h"

namespace korvanta {

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
    if (on) {
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
