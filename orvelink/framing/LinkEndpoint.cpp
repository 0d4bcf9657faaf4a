#include "orvelink/framing/LinkEndpoint.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <random>

#include "orvelink/framing/FrameEncoder.h"

namespace korvanta::orvelink {

namespace {

// Acks are skipped while this much is still waiting for the line; the far end retransmits.
constexpr std::size_t kMaxLineBacklog = 4 * 2 * kMaxFrameSize;
// Bytes read per ReceiveAvailable at most, so that a flooding far end cannot hold the caller.
constexpr std::size_t kReadBudget = 64 * 1024;

uint16_t RandomSession()
{
    std::random_device device;
    return static_cast<uint16_t>(device() & 0xFFFF);
}

}  // namespace

LinkEndpoint::LinkEndpoint(ByteTransport& transport, const LinkClock& clock, const LinkConfig& config)
    : transport_(transport),
      clock_(clock),
      config_(config),
      session_(config.session ? *config.session : RandomSession())
{
    config_.maxTransmissions = std::max(config_.maxTransmissions, 1);
    config_.sendQueueLimit = std::max<std::size_t>(config_.sendQueueLimit, 1);
    config_.receiveQueueLimit = std::max<std::size_t>(config_.receiveQueueLimit, 1);
    const TimePoint now = clock_.Now();
    lastFrameReceived_ = now;
    listeningSince_ = now;
    lastServiced_ = now;
    lastFrameSent_ = now - config_.heartbeatInterval;  // announce ourselves at the first poll
}

bool LinkEndpoint::Send(std::span<const uint8_t> message)
{
    if (message.size() > kMaxMessageSize || sendQueue_.size() >= config_.sendQueueLimit) {
        return false;
    }
    sendQueue_.emplace_back(message.begin(), message.end());
    deliveryFailed_ = false;
    StartNextMessage(clock_.Now());
    Flush();
    return true;
}

void LinkEndpoint::StartNextMessage(TimePoint now)
{
    if (inFlight_ || sendQueue_.empty()) {
        return;
    }
    Frame frame;
    frame.type = FrameType::Data;
    frame.side = config_.side;
    frame.sequence = nextSequence_++;
    frame.session = session_;
    frame.payload = sendQueue_.front();
    inFlightFrame_.clear();
    FrameEncoder::Encode(frame, inFlightFrame_);
    inFlightSequence_ = frame.sequence;
    inFlight_ = true;
    transmissions_ = 0;
    heardDuringMessage_ = false;
    SendDataCopy(now);
}

void LinkEndpoint::SendDataCopy(TimePoint now)
{
    // A copy still waiting for the line counts as a try; piling up copies would only add delay.
    if (!dataCopyQueued_) {
        lineQueue_.push_back(Outgoing{inFlightFrame_, true});
        lineBacklog_ += inFlightFrame_.size();
        dataCopyQueued_ = true;
        ++counters_.framesSent;
        lastFrameSent_ = now;
        if (transmissions_ > 0) {
            ++counters_.retransmissions;
        }
    }
    ++transmissions_;
    ackDeadline_ = now + config_.ackTimeout + WireTime(lineBacklog_);
}

void LinkEndpoint::QueueFrame(const Frame& frame, bool urgent)
{
    Outgoing outgoing;
    FrameEncoder::Encode(frame, outgoing.bytes);
    lineBacklog_ += outgoing.bytes.size();
    // Urgent frames (acks) go ahead of everything but a frame already half on the line.
    auto position = lineQueue_.end();
    if (urgent) {
        position = lineQueue_.begin() + (frontWritten_ > 0 ? 1 : 0);
    }
    lineQueue_.insert(position, std::move(outgoing));
    ++counters_.framesSent;
    lastFrameSent_ = clock_.Now();
}

void LinkEndpoint::Flush()
{
    while (!lineQueue_.empty()) {
        Outgoing& front = lineQueue_.front();
        const std::span<const uint8_t> rest(front.bytes.data() + frontWritten_, front.bytes.size() - frontWritten_);
        const std::ptrdiff_t written = transport_.Write(rest);
        if (written < 0) {
            // The bytes are lost either way; retransmission recovers the data frame.
            ++counters_.writeErrors;
            lineQueue_.clear();
            frontWritten_ = 0;
            lineBacklog_ = 0;
            dataCopyQueued_ = false;
            return;
        }
        const auto taken = std::min(static_cast<std::size_t>(written), rest.size());
        frontWritten_ += taken;
        lineBacklog_ -= taken;
        if (taken < rest.size()) {
            return;  // the transport is full for now
        }
        if (front.dataFrame) {
            dataCopyQueued_ = false;
        }
        lineQueue_.pop_front();
        frontWritten_ = 0;
    }
}

void LinkEndpoint::ServiceTimers()
{
    const TimePoint now = clock_.Now();
    if (inFlight_ && now >= ackDeadline_) {
        const bool heard = heardDuringMessage_ && now - lastFrameReceived_ < config_.silenceLimit;
        if (transmissions_ >= (heard ? config_.maxTransmissionsWhileHeard : config_.maxTransmissions)) {
            sendQueue_.pop_front();
            inFlight_ = false;
            DropWaitingDataCopies();
            deliveryFailed_ = true;
            ++counters_.messagesFailed;
            StartNextMessage(now);
        } else {
            SendDataCopy(now);
        }
    }
    // Silence counts only while this end is serviced. After a pause in its own polling (the
    // program does not poll the line between commands, for a quarter of a minute while it
    // listens) the far end's heartbeats may not have been read yet: it gets a full silence
    // limit from now instead of being declared gone before anything was read.
    if (now - lastServiced_ > config_.silenceLimit) {
        listeningSince_ = now;
    }
    lastServiced_ = now;
    silent_ = now - std::max(lastFrameReceived_, listeningSince_) >= config_.silenceLimit;
    if (lineQueue_.empty() && now - lastFrameSent_ >= config_.heartbeatInterval) {
        Frame heartbeat;
        heartbeat.type = FrameType::Heartbeat;
        heartbeat.side = config_.side;
        heartbeat.session = session_;
        QueueFrame(heartbeat, false);
    }
    Flush();
}

void LinkEndpoint::ReceiveAvailable()
{
    const TimePoint now = clock_.Now();
    std::array<uint8_t, 1024> chunk{};
    std::size_t budget = kReadBudget;
    while (budget > 0) {
        const std::ptrdiff_t read = transport_.Read(chunk);
        if (read < 0) {
            ++counters_.readErrors;
            break;
        }
        if (read == 0) {
            break;
        }
        const auto count = std::min(static_cast<std::size_t>(read), chunk.size());
        std::span<const uint8_t> rest(chunk.data(), count);
        while (!rest.empty()) {
            const ParseStep step = parser_.Parse(rest);
            rest = rest.subspan(step.consumed);
            if (step.status == ParseStatus::Complete) {
                HandleFrame(parser_.LastFrame(), now);
            } else if (step.status == ParseStatus::Invalid) {
                ++counters_.invalidFrames;
            }
        }
        budget -= std::min(budget, count);
    }
    Flush();
}

void LinkEndpoint::Poll()
{
    ServiceTimers();
    ReceiveAvailable();
}

void LinkEndpoint::HandleFrame(const Frame& frame, TimePoint now)
{
    if (frame.side == config_.side) {
        // Our own frame returned by the line: it proves nothing about the far end.
        ++counters_.echoedFrames;
        return;
    }
    ++counters_.framesReceived;
    lastFrameReceived_ = now;
    heardDuringMessage_ = true;
    silent_ = false;
    switch (frame.type) {
    case FrameType::Data:
        HandleData(frame);
        break;
    case FrameType::Ack:
        HandleAck(frame, now);
        break;
    case FrameType::Heartbeat:
        break;
    }
}

void LinkEndpoint::HandleData(const Frame& frame)
{
    const std::pair<uint16_t, uint8_t> key{frame.session, frame.sequence};
    const bool repeat = lastDelivered_ == key;
    if (repeat) {
        // Our ack was lost and the far end sent the frame again: ack it, do not deliver it twice.
        ++counters_.duplicates;
    } else if (receiveQueue_.size() >= config_.receiveQueueLimit) {
        // No ack: the far end retries until the host has taken messages out.
        ++counters_.refused;
        return;
    } else {
        receiveQueue_.push_back(frame.payload);
        lastDelivered_ = key;
        ++counters_.messagesDelivered;
    }
    if (lineBacklog_ <= kMaxLineBacklog) {
        Frame ack;
        ack.type = FrameType::Ack;
        ack.side = config_.side;
        ack.sequence = frame.sequence;
        ack.session = frame.session;
        QueueFrame(ack, true);
    }
}

void LinkEndpoint::HandleAck(const Frame& frame, TimePoint now)
{
    if (!inFlight_ || frame.session != session_ || frame.sequence != inFlightSequence_) {
        return;  // a late ack of a message already settled or forgotten
    }
    sendQueue_.pop_front();
    inFlight_ = false;
    ++counters_.messagesAcknowledged;
    DropWaitingDataCopies();
    StartNextMessage(now);
}

void LinkEndpoint::DropWaitingDataCopies()
{
    // Copies of a settled message still waiting for the line are no longer needed. One already
    // half on the line is finished but no longer counts as a copy of the message in flight.
    const bool frontStarted = frontWritten_ > 0 && !lineQueue_.empty();
    if (frontStarted) {
        lineQueue_.front().dataFrame = false;
    }
    const auto firstUnwritten = lineQueue_.begin() + (frontStarted ? 1 : 0);
    const auto removed =
        std::remove_if(firstUnwritten, lineQueue_.end(), [](const Outgoing& entry) { return entry.dataFrame; });
    for (auto entry = removed; entry != lineQueue_.end(); ++entry) {
        lineBacklog_ -= entry->bytes.size();
    }
    lineQueue_.erase(removed, lineQueue_.end());
    dataCopyQueued_ = false;
}

uint16_t LinkEndpoint::Status() const
{
    uint16_t status = 0;
    if (!sendQueue_.empty()) {
        status |= kStatusUnacknowledged;
    }
    if (silent_ || deliveryFailed_) {
        status |= kStatusLinkFailure;
    }
    return status;
}

std::optional<std::size_t> LinkEndpoint::WaitingMessageSize() const
{
    if (receiveQueue_.empty()) {
        return std::nullopt;
    }
    return receiveQueue_.front().size();
}

std::optional<std::size_t> LinkEndpoint::TakeMessage(std::span<uint8_t> buffer)
{
    if (receiveQueue_.empty() || receiveQueue_.front().size() > buffer.size()) {
        return std::nullopt;
    }
    const std::vector<uint8_t>& message = receiveQueue_.front();
    const std::size_t size = message.size();
    if (size > 0) {
        std::memcpy(buffer.data(), message.data(), size);
    }
    receiveQueue_.pop_front();
    return size;
}

std::optional<std::vector<uint8_t>> LinkEndpoint::TakeMessage()
{
    if (receiveQueue_.empty()) {
        return std::nullopt;
    }
    std::vector<uint8_t> message = std::move(receiveQueue_.front());
    receiveQueue_.pop_front();
    return message;
}

void LinkEndpoint::Reset()
{
    sendQueue_.clear();
    inFlight_ = false;
    transmissions_ = 0;
    deliveryFailed_ = false;
    // A frame already half on the line is finished, or the far end would see garbage.
    const bool keepFront = frontWritten_ > 0 && !lineQueue_.empty();
    while (lineQueue_.size() > (keepFront ? 1u : 0u)) {
        lineBacklog_ -= lineQueue_.back().bytes.size();
        lineQueue_.pop_back();
    }
    if (keepFront) {
        lineQueue_.front().dataFrame = false;
    }
    dataCopyQueued_ = false;
    parser_.Reset();
    receiveQueue_.clear();
}

std::chrono::milliseconds LinkEndpoint::WireTime(std::size_t bytes) const
{
    if (config_.bitsPerSecond <= 0) {
        return std::chrono::milliseconds(0);
    }
    // Ten bit times per byte on an 8N1 line.
    const auto bits = static_cast<int64_t>(bytes) * 10 * 1000;
    return std::chrono::milliseconds((bits + config_.bitsPerSecond - 1) / config_.bitsPerSecond);
}

}  // namespace korvanta::orvelink
