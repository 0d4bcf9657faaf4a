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
// (IBlockReadyNotifier::PostShowMessage) that the user-interface thread shows here.
class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual MessageAnswer ShowMessage(uint32_t id, uint32_t style) = 0;
    // A message made for this one occasion (a file's name and the reason put into the pattern
    // of `id`), UTF-8. A sink that shows only string-table texts shows the text of `id`.
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
