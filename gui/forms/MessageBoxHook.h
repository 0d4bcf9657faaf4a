#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "core/host/IMessageSink.h"

namespace korvanta::gui {

// Answers message boxes in place of the user, for tests: each expected box is named by its
// string ID with the answer to give. A box that was not expected next is recorded as
// unexpected and answered No (or OK), so a test that checks Unexpected() fails on it. No box
// is ever shown while a hook is installed.
class MessageBoxHook {
public:
    struct Shown {
        uint32_t id;
        uint32_t style;
        std::string text;  // UTF-8, as the box would show it
    };

    void ExpectNext(uint32_t id, MessageAnswer answer);
    // Called by the sink; the answer to give.
    MessageAnswer Answer(uint32_t id, uint32_t style, const std::string& text = {});
    // The text of the last box with this ID, or "" when none was shown.
    std::string LastText(uint32_t id) const;

    std::vector<Shown> ShownBoxes() const;
    std::vector<uint32_t> Unexpected() const;
    // Expectations that no box has taken yet.
    size_t Pending() const;

private:
    struct Expectation {
        uint32_t id;
        MessageAnswer answer;
    };

    mutable std::mutex mutex_;
    std::deque<Expectation> expected_;
    std::vector<Shown> shown_;
    std::vector<uint32_t> unexpected_;
};

}  // namespace korvanta::gui
