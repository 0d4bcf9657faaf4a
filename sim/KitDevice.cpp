#include "sim/KitDevice.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "sim/scenario/FieldKitControls.h"
#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

namespace {

std::unique_ptr<PacedTransport> PacedLine(orvelink::ByteTransport& line, const orvelink::LinkClock& clock, bool paced)
{
    return paced ? std::make_unique<PacedTransport>(line, clock) : nullptr;
}

// The kit is the interface unit's end of the link.
orvelink::LinkConfig DeviceSide()
{
    orvelink::LinkConfig config;
    config.side = orvelink::LinkSide::Device;
    return config;
}

}  // namespace

KitDevice::KitDevice(orvelink::ByteTransport& line, FieldKit& kit, const orvelink::LinkClock& clock,
                     const KitOptions& options)
    : line_(line),
      kit_(kit),
      clock_(clock),
      paced_(PacedLine(line, clock, options.paced)),
      faults_(paced_ ? static_cast<orvelink::ByteTransport&>(*paced_) : line, options.seed),
      endpoint_(faults_, clock, DeviceSide())
{
    faults_.SetShares(options.lineFaults.lose, options.lineFaults.corrupt);
    if (options.scenario && !options.scenario->timeline.empty()) {
        timeline_ = std::make_unique<KitTimeline>(options.scenario->timeline, options.lineFaults);
        started_ = clock.Now();
    }
}

void KitDevice::PlayTimeline()
{
    std::lock_guard lock(timelineMutex_);
    if (!timeline_) {
        return;
    }
    const double elapsed = std::chrono::duration<double>(clock_.Now() - started_).count();
    FieldKitControls controls(kit_, this);
    timeline_->Apply(elapsed, kit_.Counters().blocksServed, controls);
}

void KitDevice::Poll()
{
    PlayTimeline();
    std::lock_guard lock(mutex_);
    if (kit_.IsSilent()) {
        pending_.clear();
        DiscardIncoming();
        return;
    }
    // Input first: a device running all along would have taken the far end's acknowledgements
    // before its timers ran out and sent copies the far end no longer needs.
    endpoint_.ReceiveAvailable();
    endpoint_.ServiceTimers();
    while (auto request = endpoint_.TakeMessage()) {
        KitReply reply = kit_.Handle(*request);
        if (kit_.IsSilent()) {
            // Died with the request in hand: it was acknowledged, but nothing more comes.
            pending_.clear();
            return;
        }
        if (!reply.bytes.empty()) {
            // One request at a time on the interface unit: a reply never overtakes an earlier one.
            if (!pending_.empty()) {
                reply.due = std::max(reply.due, pending_.back().due);
            }
            pending_.push_back(std::move(reply));
        }
    }
    const auto now = clock_.Now();
    while (!pending_.empty() && pending_.front().due <= now) {
        if (!endpoint_.Send(pending_.front().bytes)) {
            break;  // the send queue is full; the reply goes at a later poll
        }
        pending_.pop_front();
    }
}

void KitDevice::DiscardIncoming()
{
    std::array<uint8_t, 1024> scratch{};
    for (int chunk = 0; chunk < 64 && line_.Read(scratch) > 0; ++chunk) {
    }
}

void KitDevice::Reconnect()
{
    std::lock_guard lock(mutex_);
    endpoint_.Reset();
    pending_.clear();
}

void KitDevice::SetLineFaults(const LineFaultShares& shares)
{
    std::lock_guard lock(mutex_);
    faults_.SetShares(shares.lose, shares.corrupt);
}

LineFaultCounters KitDevice::LineCounters() const
{
    std::lock_guard lock(mutex_);
    return faults_.Counters();
}

orvelink::LinkCounters KitDevice::LinkCounters() const
{
    std::lock_guard lock(mutex_);
    return endpoint_.Counters();
}

std::size_t KitDevice::PendingReplies() const
{
    std::lock_guard lock(mutex_);
    return pending_.size();
}

}  // namespace korvanta::sim
