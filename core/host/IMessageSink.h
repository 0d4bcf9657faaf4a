#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// Icon and button flags of a message box.
enum MessageStyle : uint32_t {
    kStyleOk = 0x00,
    kStyleYesNoCancel = 0x03,
    kStyleYesNo = 0x04,
    kStyleButtonMask = 0x0F,
    kStyleStop = 0x10,
    kStyleQuestion = 0x20,
    kStyleExclamation = 0x30,
    kStyleInformation = 0x40,
    kStyleIconMask = 0xF0,
};

enum class MessageAnswer { Ok, Yes, No, Cancel };

// Where core reports what the user must be told: the GUI shows a message box with the
// string-table text of `id`, tests record the calls.
//
// Threads: called on the user-interface thread only (showing a box waits for the user). The
// comms thread never calls it: its one message travels as a posted notice
// (IBlockReadyNotifier::PostShowMessage) that the user-interface thread shows here, once no
// blocking wait runs. A question asked from another thread is a fault: it is refused (No, or
// Cancel where Cancel is offered) rather than answered as if the user had agreed.
class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual MessageAnswer ShowMessage(uint32_t id, uint32_t style) = 0;
    // A message whose text was filled in from the string-table pattern `id` (numbers put in);
    // `id` still names it for whoever answers in the user's place. A sink that shows only IDs
    // shows the pattern's message.
    virtual MessageAnswer ShowText(uint32_t id, const std::string& text, uint32_t style)
    {
        static_cast<void>(text);
        return ShowMessage(id, style);
    }
};

// Swallows every message; for callers that have nobody to tell.
class NullMessageSink final : public IMessageSink {
public:
    MessageAnswer ShowMessage(uint32_t, uint32_t) override { return MessageAnswer::Ok; }
};

}  // namespace korvanta
