#include "core/link/CommsThread.h"

#include <chrono>
#include <system_error>

#include "core/link/CommsLoop.h"

namespace korvanta {

int CommsThreadProc(const CommsContext& context, std::stop_token stop)
{
    CommsLoop loop(context, std::move(stop));
    return loop.Run();
}

CommsThread::CommsThread(const CommsContext& context) : context_(context) {}

CommsThread::~CommsThread()
{
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

bool CommsThread::Start()
{
    if (thread_.joinable()) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        ended_ = false;
    }
    try {
        thread_ = std::jthread([this](std::stop_token stop) { Body(std::move(stop)); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CommsThread::Body(std::stop_token stop)
{
    CommsThreadProc(context_, std::move(stop));
    std::lock_guard lock(mutex_);
    ended_ = true;
    endedChanged_.notify_all();
}

bool CommsThread::WaitForEnd(int64_t timeoutMs)
{
    std::unique_lock lock(mutex_);
    return endedChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return ended_; });
}

bool CommsThread::Stop(int64_t timeoutMs)
{
    if (!thread_.joinable()) {
        return true;
    }
    LinkCommand end;
    end.code = TM_END_THREAD;
    context_.state->PostUrgentCommand(end);
    const bool ended = WaitForEnd(timeoutMs);
    thread_.request_stop();
    thread_.join();
    return ended;
}

}  // namespace korvanta
