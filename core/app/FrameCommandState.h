#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/app/MainMenu.h"

namespace korvanta {

// What the main frame decides about its commands: one enable flag per command group, whether
// communication is available, the radio mode and the check marks of the two check groups it
// owns. The menu and toolbar ask it for each command's state.
class FrameCommandState {
public:
    static constexpr int kRadioModeLow = 2;
    static constexpr int kRadioModeHigh = 3;

    FrameCommandState();

    // On: the enable flags of every group but test, system status and velocity calculation go
    // to 1, the top-level menus are enabled, two stations checked and three not. Off: the same
    // flags go to 0 and the top-level menus are grayed.
    void EnableAllMenus(bool on);
    bool TopLevelMenusEnabled() const { return topLevelEnabled_; }

    void SetCommAvailable(bool available) { commAvailable_ = available; }
    bool IsCommAvailable() const { return commAvailable_; }

    void SetFlag(CommandGroup group, bool on);
    bool Flag(CommandGroup group) const;

    // 2 (low transmit power) or 3 (high); any other value is ignored.
    void SetRadioMode(int mode);
    int GetRadioMode() const { return radioMode_; }

    void SetStationChecks(bool twoStations, bool threeStations);

    // While the three-station form is on show the toolbar stays: its file buttons stand for the
    // form's own file commands, the commands the form has no use for are grayed, and enabling
    // all menus again (after a measurement) keeps "3 sendere" checked.
    void SetThreeStationForm(bool on) { threeStationForm_ = on; }
    bool IsThreeStationForm() const { return threeStationForm_; }
    // The command that `id` stands for now (the form's file command for a toolbar file button).
    uint32_t Routed(uint32_t id) const;

    // The command's enabled state by its rule, or nothing when the command is not the frame's to
    // decide (not in the menu, or decided by the form on show). The recent-file entries follow
    // the flag of "Åben".
    std::optional<bool> IsEnabled(uint32_t id) const;
    // The check mark of a command of the frame's check groups, or nothing for any other command.
    std::optional<bool> IsChecked(uint32_t id) const;

private:
    std::array<bool, kCommandGroupCount> flags_{};
    bool commAvailable_ = false;
    bool topLevelEnabled_ = true;
    int radioMode_ = kRadioModeLow;
    bool lowChecked_ = true;
    bool highChecked_ = false;
    bool twoStationChecked_ = true;
    bool threeStationChecked_ = false;
    bool threeStationForm_ = false;
};

}  // namespace korvanta
