#pragma once

#include <cstdint>
#include <vector>

#include "core/document/CKorvantaDoc.h"
#include "core/document/IDocumentObserver.h"
#include "core/document/PostedCommandQueue.h"
#include "core/link/CLinkState.h"
#include "core/link/IClock.h"

namespace korvanta {

// Runs one three-station measurement of a document already set up for it, without a window:
// selects red, blue and yellow, starts sampling, hands every block-ready notice to the document,
// watches the link as the form's status poll does, and stops once every pair has summed enough
// block pairs or the measurement has to end.
class ThreeStationRunner final : public IDocumentObserver {
public:
    static constexpr int kThreeStationMask = 14;  // red, blue and yellow

    enum class Outcome {
        StartFailed,  // the stations did not start sampling; nothing was measured
        Complete,     // each pair's record holds the block pairs asked for
        Ended,        // the measurement had to end early (hint 101); what was summed is kept
        TimedOut,     // no end within the time allowed; what was summed is kept
    };

    struct Options {
        uint32_t pairs = 20;
        int64_t timeoutMs = 0;  // on the clock; 0 = no limit
    };

    ThreeStationRunner(CKorvantaDoc& document, CLinkState& link, PostedCommandQueue& notices, IClock& clock);
    ~ThreeStationRunner() override;
    ThreeStationRunner(const ThreeStationRunner&) = delete;
    ThreeStationRunner& operator=(const ThreeStationRunner&) = delete;

    // After any outcome but StartFailed the document holds the stopped measurement and its
    // measuring time in all three records.
    Outcome Run(const Options& options);

    // The fewest block pairs any of the three pairs has summed.
    uint32_t PairsDone() const;
    // Hints the document sent during the last run, in order.
    const std::vector<uint32_t>& Hints() const { return hints_; }

    void OnDocumentUpdate(uint32_t hint) override;

private:
    void PollLink();

    CKorvantaDoc& document_;
    CLinkState& link_;
    PostedCommandQueue& notices_;
    IClock& clock_;
    std::vector<uint32_t> hints_;
    bool mustEnd_ = false;
};

}  // namespace korvanta
