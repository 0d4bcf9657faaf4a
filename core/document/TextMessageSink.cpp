#include "core/document/TextMessageSink.h"

#include <string>

#include "core/text/StringTable.h"

namespace korvanta {

MessageAnswer TextMessageSink::ShowMessage(uint32_t id, uint32_t style)
{
    const char* text = LoadString(id);
    if (text == nullptr) {
        std::lock_guard lock(mutex_);
        shown_.push_back(id);
        return MessageAnswer::Ok;  // a message without text is not shown
    }
    return ShowText(id, text, style);
}

MessageAnswer TextMessageSink::ShowText(uint32_t id, const std::string& message, uint32_t style)
{
    std::lock_guard lock(mutex_);
    shown_.push_back(id);
    const char* text = message.c_str();
    std::string line;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c != '\r') {
            line += *c;
        }
    }
    out_ << line << '\n';
    out_.flush();
    return (style & kStyleYesNo) != 0 ? answer_ : MessageAnswer::Ok;
}

std::vector<uint32_t> TextMessageSink::Shown() const
{
    std::lock_guard lock(mutex_);
    return shown_;
}

}  // namespace korvanta
