#pragma once

#include <cstdint>
#include <mutex>
#include <ostream>
#include <vector>

#include "core/host/IMessageSink.h"

namespace korvanta {

// Shows each message as its string-table text on a stream, for hosts without message boxes.
// Questions are answered with `answer`. Safe to call from the comms thread and the user's
// thread at once.
class TextMessageSink final : public IMessageSink {
public:
    explicit TextMessageSink(std::ostream& out, MessageAnswer answer = MessageAnswer::No) : out_(out), answer_(answer)
    {
    }

    MessageAnswer ShowMessage(uint32_t id, uint32_t style) override;
    MessageAnswer ShowText(uint32_t id, const std::string& text, uint32_t style) override;
    std::vector<uint32_t> Shown() const;

private:
    std::ostream& out_;
    MessageAnswer answer_;
    mutable std::mutex mutex_;
    std::vector<uint32_t> shown_;
};

}  // namespace korvanta
