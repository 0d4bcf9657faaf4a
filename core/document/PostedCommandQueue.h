#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "core/host/IBlockReadyNotifier.h"

namespace korvanta {

// One notice of the comms thread: a block is ready, or a message is to be shown.
struct PostedNotice {
    enum class Kind { BlockReady, Message };
    Kind kind = Kind::BlockReady;
    uint32_t commandId = 0;  // BlockReady: kCommandBlockReadyTwoStation or ...ThreeStation
    uint32_t messageId = 0;  // Message: the string-table ID
    uint32_t style = 0;      // Message: the icon flags
};

// The comms thread's notices, queued for a thread without a window system (the command-line
// tool, tests) that takes them one by one as a window would take its messages. Posting never
// waits for the taker.
class PostedCommandQueue final : public IBlockReadyNotifier {
public:
    void PostBlockReady(uint32_t commandId) override;
    void PostShowMessage(uint32_t id, uint32_t style) override;
    // Waits up to `timeout` (real time) for the next notice; false when none came.
    bool WaitNext(PostedNotice& notice, std::chrono::milliseconds timeout);
    void Clear();

private:
    void Post(const PostedNotice& notice);

    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<PostedNotice> queue_;
};

}  // namespace korvanta
