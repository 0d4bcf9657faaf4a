#pragma once

#include <cstdint>
#include <optional>

namespace korvanta::gui {

// What a command target may say about a command's menu item and toolbar button.
struct CommandUi {
    std::optional<bool> enabled;  // nothing: the target has no opinion
    std::optional<bool> checked;
};

// Something that handles menu and toolbar commands: the form on show, the document's commands,
// the frame, the application. The frame asks its targets in that order; the first that handles
// a command ends the routing.
class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    // True when the target carried the command out.
    virtual bool OnCommand(uint32_t id) = 0;
    // Fills in what the target decides about the command's enabled and checked state. The frame's
    // own enable rule (flag, flag and communication) is applied on top: a target can only gray
    // further what the frame enables.
    virtual void OnUpdateCommand(uint32_t id, CommandUi& ui) {}
};

}  // namespace korvanta::gui
