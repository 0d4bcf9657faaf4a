#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/document/CKorvantaDoc.h"
#include "core/document/IDocumentObserver.h"
#include "core/document/PostedCommandQueue.h"
#include "core/host/IClock.h"
#include "core/host/IMessageSink.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// Runs one measurement of the document without a window: starts it, hands every block-ready
// notice to the document, watches the link as the view's status poll does, and stops once enough
// block pairs are in the record (in the three-station mode: in each pair's record) or the
// measurement has to end.
class MeasurementRunner final : public IDocumentObserver {
public:
    enum class Outcome {
        StartFailed,  // the stations did not start sampling; nothing was measured
        Complete,     // the record holds the pairs asked for
        Ended,        // the measurement had to end early (hint 101); what was summed is kept
        TimedOut,     // no end within the time allowed; what was summed is kept
        Interrupted,  // the host asked to stop (the user's interrupt); what was summed is kept
    };

    struct Options {
        uint32_t pairs = 20;
        int64_t timeoutMs = 0;  // on the clock; 0 = no limit
        // The three-station measurement of a document set up for it: red, blue and yellow are
        // selected first, as the three-station form does when it opens.
        bool threeStation = false;
        // Asked between blocks; true stops the measurement as the Stop command does.
        std::function<bool()> interrupted;
    };
    static constexpr int kThreeStationMask = 14;  // red, blue and yellow

    // Messages the comms thread posts are shown through `messages` on the calling thread.
    MeasurementRunner(CKorvantaDoc& document, CLinkState& link, PostedCommandQueue& notices, IMessageSink& messages,
                      IClock& clock);
    ~MeasurementRunner() override;
    MeasurementRunner(const MeasurementRunner&) = delete;
    MeasurementRunner& operator=(const MeasurementRunner&) = delete;

    // A measurement from start to stop; after any outcome but StartFailed the document holds
    // the stopped measurement with its measuring time.
    Outcome Run(const Options& options);

    // Why the last run ended early (a string-table ID), 0 when it did not; it was shown through
    // the message sink, as the view shows it.
    uint32_t EndReason() const { return endReason_; }

    // The block pairs summed so far: of the two-station record, or the fewest of the three pairs.
    uint32_t PairsDone(bool threeStation) const;
    // Hints the document sent during the last run, in order.
    const std::vector<uint32_t>& Hints() const { return hints_; }

    void OnDocumentUpdate(uint32_t hint) override;

    // The elapsed time of a measurement as the view shows it: "%H:%M:%S", hours modulo 24.
    static std::string FormatElapsed(int64_t milliseconds);

private:
    void PollLink();
    void MustEnd(uint32_t reason);
    void Take(const PostedNotice& notice);
    void ShowPendingMessages();

    CKorvantaDoc& document_;
    CLinkState& link_;
    PostedCommandQueue& notices_;
    IMessageSink& messages_;
    IClock& clock_;
    std::vector<uint32_t> hints_;
    bool mustEnd_ = false;
    uint32_t endReason_ = 0;
};

}  // namespace korvanta
