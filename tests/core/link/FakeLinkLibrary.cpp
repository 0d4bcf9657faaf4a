#include "FakeLinkLibrary.h"

#include <algorithm>

namespace korvanta::test {

using Kind = FarEndReply::Kind;

void FakeLinkLibrary::SetFarEnd(FarEnd farEnd)
{
    std::lock_guard lock(mutex_);
    farEnd_ = std::move(farEnd);
}

void FakeLinkLibrary::SetOpenResult(uint16_t result)
{
    std::lock_guard lock(mutex_);
    openResult_ = result;
}

std::vector<SentMessage> FakeLinkLibrary::Sent() const
{
    std::lock_guard lock(mutex_);
    return sent_;
}

std::vector<std::string> FakeLinkLibrary::OpenedPaths() const
{
    std::lock_guard lock(mutex_);
    return openedPaths_;
}

int32_t FakeLinkLibrary::LastBaud() const
{
    std::lock_guard lock(mutex_);
    return lastBaud_;
}

int FakeLinkLibrary::ResetCount() const
{
    std::lock_guard lock(mutex_);
    return resets_;
}

int FakeLinkLibrary::CloseCount() const
{
    std::lock_guard lock(mutex_);
    return closes_;
}

bool FakeLinkLibrary::HasWaitingMessage() const
{
    std::lock_guard lock(mutex_);
    return !inbox_.empty();
}

bool FakeLinkLibrary::WaitForSent(const std::function<bool(const std::vector<SentMessage>&)>& done,
                                  std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return sentChanged_.wait_for(lock, timeout, [&] { return done(sent_); });
}

uint16_t FakeLinkLibrary::CommOpenStr(const std::string& portPath, int32_t baud)
{
    std::lock_guard lock(mutex_);
    openedPaths_.push_back(portPath);
    lastBaud_ = baud;
    open_ = openResult_ == 0;
    return openResult_;
}

void FakeLinkLibrary::CommClose()
{
    std::lock_guard lock(mutex_);
    open_ = false;
    ++closes_;
}

uint8_t FakeLinkLibrary::CommIsOpen()
{
    std::lock_guard lock(mutex_);
    return open_ ? 1 : 0;
}

void FakeLinkLibrary::CommReset()
{
    std::lock_guard lock(mutex_);
    ++resets_;
    inbox_.clear();
    pending_.reset();
    failAfterAck_ = false;
    refuseNextDelivery_ = false;
    status_ = 0;
}

uint16_t FakeLinkLibrary::PutMessage(const uint8_t* bytes, int32_t length)
{
    const Bytes request(bytes, bytes + length);
    FarEnd farEnd;
    {
        std::lock_guard lock(mutex_);
        farEnd = farEnd_;
    }
    // The far end runs outside the lock: a script may post commands into the link state.
    FarEndReply reply = farEnd ? farEnd(request) : FarEndReply::Of(Kind::Silent);
    {
        std::lock_guard lock(mutex_);
        sent_.push_back({request, clock_.NowMs()});
        if (reply.kind != Kind::Refused) {
            pending_ = std::move(reply);
            status_ = kStatusUnacknowledged;
        }
    }
    sentChanged_.notify_all();
    return reply.kind == Kind::Refused ? 1 : 0;
}

uint16_t FakeLinkLibrary::GetStatus()
{
    std::lock_guard lock(mutex_);
    return status_;
}

void FakeLinkLibrary::LinkTimer()
{
    std::lock_guard lock(mutex_);
    if (failAfterAck_) {
        status_ |= kStatusLinkFailure;
        failAfterAck_ = false;
    }
    while (!late_.empty() && late_.front().first <= clock_.NowMs()) {
        inbox_.push_back(std::move(late_.front().second));
        late_.pop_front();
    }
    if (!pending_) {
        return;
    }
    FarEndReply reply = std::move(*pending_);
    pending_.reset();
    switch (reply.kind) {
    case Kind::NotAcknowledged:
        status_ = kStatusUnacknowledged | kStatusLinkFailure;
        return;
    case Kind::NeverAcknowledged:
        status_ = kStatusUnacknowledged;
        return;
    case Kind::HeartbeatLost:
        failAfterAck_ = true;
        break;
    case Kind::Undeliverable:
        refuseNextDelivery_ = true;
        inbox_.push_back(std::move(reply.bytes));
        break;
    case Kind::Answer:
        if (reply.lateMs > 0) {
            late_.emplace_back(clock_.NowMs() + reply.lateMs, std::move(reply.bytes));
        } else {
            inbox_.push_back(std::move(reply.bytes));
        }
        break;
    default:
        break;
    }
    status_ = 0;
}

int16_t FakeLinkLibrary::GetMessageSize()
{
    std::lock_guard lock(mutex_);
    return inbox_.empty() ? int16_t{-1} : static_cast<int16_t>(inbox_.front().size());
}

int16_t FakeLinkLibrary::GetMessage(uint8_t* buffer, int32_t capacity)
{
    std::lock_guard lock(mutex_);
    if (inbox_.empty()) {
        return -1;
    }
    const Bytes& message = inbox_.front();
    // Like the real library: a message that does not fit is kept, not cut.
    if (refuseNextDelivery_ || static_cast<int32_t>(message.size()) > capacity) {
        refuseNextDelivery_ = false;
        return -1;
    }
    std::copy(message.begin(), message.end(), buffer);
    const auto size = static_cast<int16_t>(message.size());
    inbox_.pop_front();
    return size;
}

}  // namespace korvanta::test
