#include "core/document/PostedCommandQueue.h"

namespace korvanta {

void PostedCommandQueue::PostBlockReady(uint32_t commandId)
{
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(commandId);
    }
    posted_.notify_one();
}

bool PostedCommandQueue::WaitNext(uint32_t& commandId, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [this] { return !queue_.empty(); })) {
        return false;
    }
    commandId = queue_.front();
    queue_.pop_front();
    return true;
}

void PostedCommandQueue::Clear()
{
    std::lock_guard lock(mutex_);
    queue_.clear();
}

}  // namespace korvanta
