#include "gui/forms/MessageBoxHook.h"

namespace korvanta::gui {

void MessageBoxHook::ExpectNext(uint32_t id, MessageAnswer answer)
{
    std::lock_guard lock(mutex_);
    expected_.push_back({id, answer});
}

MessageAnswer MessageBoxHook::Answer(uint32_t id, uint32_t style, const std::string& text)
{
    std::lock_guard lock(mutex_);
    shown_.push_back({id, style, text});
    if (!expected_.empty() && expected_.front().id == id) {
        const MessageAnswer answer = expected_.front().answer;
        expected_.pop_front();
        return answer;
    }
    unexpected_.push_back(id);
    return (style & kStyleButtonMask) == kStyleOk ? MessageAnswer::Ok : MessageAnswer::No;
}

std::vector<MessageBoxHook::Shown> MessageBoxHook::ShownBoxes() const
{
    std::lock_guard lock(mutex_);
    return shown_;
}

std::string MessageBoxHook::LastText(uint32_t id) const
{
    std::lock_guard lock(mutex_);
    for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
        if (it->id == id) {
            return it->text;
        }
    }
    return {};
}

std::vector<uint32_t> MessageBoxHook::Unexpected() const
{
    std::lock_guard lock(mutex_);
    return unexpected_;
}

size_t MessageBoxHook::Pending() const
{
    std::lock_guard lock(mutex_);
    return expected_.size();
}

}  // namespace korvanta::gui
