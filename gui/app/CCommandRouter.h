#pragma once

#include <cstdint>
#include <vector>

#include "gui/forms/ICommandTarget.h"

namespace korvanta::gui {

// Who a command goes to: the form on show first, then the other targets in the order added.
// The first that handles a command ends the routing.
class CCommandRouter {
public:
    void SetForm(ICommandTarget* form) { form_ = form; }
    // Each target must outlive the router or be removed.
    void Add(ICommandTarget* target);
    void Remove(ICommandTarget* target);

    // True when the form or a target carried the command out.
    bool Route(uint32_t id) const;
    // What they say about a command's item: the first opinion on each of enabled and checked.
    CommandUi Ask(uint32_t id) const;

private:
    ICommandTarget* form_ = nullptr;
    std::vector<ICommandTarget*> targets_;
};

}  // namespace korvanta::gui
