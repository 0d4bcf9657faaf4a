#pragma once

#include <cstdint>
#include <span>

namespace korvanta {

// The groups of commands that the main frame enables and disables together, each with one flag.
enum class CommandGroup : uint8_t {
    None,  // no flag of its own
    New,
    Open,
    Save,
    Print,
    Copy,
    FileInformation,
    SystemStatus,
    SystemInformation,
    ListeningConfiguration,
    Beacons,
    SignalStrength,
    PipeParameters,
    Filters,
    SensorCombination,
    VelocityCalculation,
    TwoStationMode,
    ThreeStationMode,
    Test,
};
inline constexpr int kCommandGroupCount = static_cast<int>(CommandGroup::Test) + 1;

enum class EnableRule : uint8_t {
    Always,
    Flag,         // the group's enable flag
    FlagAndComm,  // the group's flag while communication is available
    Form,         // the form on show decides (the unit commands)
};

enum class MenuEntryKind : uint8_t {
    Command,
    Separator,
    PopupBegin,  // a submenu with `caption`; its entries follow up to the matching PopupEnd
    PopupEnd,
    PortList,     // where the serial-port submenu goes
    RecentFiles,  // where the recent-file entries go
};

// One line of the main menu. Captions are UTF-8 with '&' before the mnemonic and, after a tab,
// the accelerator text shown at the right.
struct MenuEntry {
    MenuEntryKind kind;
    uint32_t id;
    const char* caption;
    CommandGroup group;
    EnableRule rule;
};

// A keyboard accelerator in portable text form ("Ctrl+N").
struct Accelerator {
    uint32_t id;
    const char* keys;
};

// The main menu from its first top-level popup to its last, in display order.
std::span<const MenuEntry> MainMenu();
// The toolbar's commands in order; 0 stands for a separator.
std::span<const uint32_t> MainToolbar();
// Every accelerator of the main window. A command may have more than one.
std::span<const Accelerator> MainAccelerators();
// The command's menu entry, or nullptr for an ID that is not in the menu.
const MenuEntry* FindMenuCommand(uint32_t id);

}  // namespace korvanta
