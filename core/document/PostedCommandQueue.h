#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "core/link/IBlockReadyNotifier.h"

namespace korvanta {

// The comms thread's block-ready notices, queued for a thread without a window system (the
// command-line tool, tests) that takes them one by one as a window would take its messages.
class PostedCommandQueue final : public IBlockReadyNotifier {
public:
    void PostBlockReady(uint32_t commandId) override;
    // Waits up to `timeout` (real time) for the next notice; false when none came.
    bool WaitNext(uint32_t& commandId, std::chrono::milliseconds timeout);
    void Clear();

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<uint32_t> queue_;
};

}  // namespace korvanta
