#include "gui/app/CCommandRouter.h"

#include <algorithm>

namespace korvanta::gui {

void CCommandRouter::Add(ICommandTarget* target)
{
    if (target != nullptr && std::find(targets_.begin(), targets_.end(), target) == targets_.end()) {
        targets_.push_back(target);
    }
}

void CCommandRouter::Remove(ICommandTarget* target)
{
    std::erase(targets_, target);
}

bool CCommandRouter::Route(uint32_t id) const
{
    if (form_ != nullptr && form_->OnCommand(id)) {
        return true;
    }
    return std::any_of(targets_.begin(), targets_.end(), [id](ICommandTarget* target) { return target->OnCommand(id); });
}

CommandUi CCommandRouter::Ask(uint32_t id) const
{
    CommandUi ui;
    const auto ask = [&](ICommandTarget* target) {
        CommandUi answer;
        target->OnUpdateCommand(id, answer);
        if (!ui.enabled) {
            ui.enabled = answer.enabled;
        }
        if (!ui.checked) {
            ui.checked = answer.checked;
        }
    };
    if (form_ != nullptr) {
        ask(form_);
    }
    for (ICommandTarget* target : targets_) {
        ask(target);
    }
    return ui;
}

}  // namespace korvanta::gui
