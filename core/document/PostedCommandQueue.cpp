#include "core/document/PostedCommandQueue.h"

namespace korvanta {

void PostedCommandQueue::Post(const PostedNotice& notice)
{
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(notice);
    }
    posted_.notify_one();
}

void PostedCommandQueue::PostBlockReady(uint32_t commandId)
{
    PostedNotice notice;
    notice.commandId = commandId;
    Post(notice);
}

void PostedCommandQueue::PostShowMessage(uint32_t id, uint32_t style)
{
    PostedNotice notice;
    notice.kind = PostedNotice::Kind::Message;
    notice.messageId = id;
    notice.style = style;
    Post(notice);
}

bool PostedCommandQueue::WaitNext(PostedNotice& notice, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [this] { return !queue_.empty(); })) {
        return false;
    }
    notice = queue_.front();
    queue_.pop_front();
    return true;
}

void PostedCommandQueue::Clear()
{
    std::lock_guard lock(mutex_);
    queue_.clear();
}

}  // namespace korvanta
