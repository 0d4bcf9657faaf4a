#pragma once

#include <array>
#include <cstdint>

#include "core/diagnostics/CSignalStrengthBar.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// The radio signal strength test: finds which outstations answer (up to four searches), then
// tests them in turn (red, blue, yellow, red, ...) as fast as the link allows, counting each
// outstation's perfect, acceptable and failed tests. Driven by Tick() from the dialog's timer
// with the time in milliseconds.
//
// Every wait has a time-out: a status request that is never answered counts as a search
// without an answer, a radio test that never finishes counts as a failed test, so the dialog
// ends up showing "not found" or a growing red bar instead of waiting for ever.
class SignalStrengthTest {
public:
    enum class State { Search = 0, WaitForStatus = 1, NextTest = 2, WaitForResult = 3 };

    static constexpr int kOutstations = 3;
    static constexpr int kMaxSearches = 4;
    // The timer's period: short against the comms thread's 100 ms pass, long enough not to spin.
    static constexpr int kTickMs = 20;
    // The sensor-status exchange may take 18 s; a radio test 2 s. Both plus the queue's pass.
    static constexpr int64_t kStatusTimeoutMs = 20000;
    static constexpr int64_t kResultTimeoutMs = 5000;

    explicit SignalStrengthTest(CLinkState& link) : link_(link) {}

    // One timer tick; returns true when something the dialog shows changed.
    bool Tick(int64_t nowMs);

    State GetState() const { return state_; }
    bool SearchDone() const { return searchDone_; }
    // Outstation index 0 red, 1 blue, 2 yellow.
    bool Found(int outstation) const { return found_[outstation] != 0; }
    const CSignalStrengthBar& Bar(int outstation) const { return bars_[outstation]; }
    int CurrentUnit() const { return unit_; }
    bool AlternatingFlag() const { return flag_ != 0; }
    int Searches() const { return attempts_; }

private:
    bool CheckStatus(int64_t nowMs);
    bool CheckResult(int64_t nowMs);
    void PostNextTest(int64_t nowMs);
    void EndSearch();

    CLinkState& link_;
    State state_ = State::Search;
    int unit_ = 0;
    std::array<uint8_t, kOutstations> found_ = {};
    int attempts_ = 0;
    uint8_t flag_ = 0;
    bool searchDone_ = false;
    int64_t waitStartMs_ = 0;
    std::array<CSignalStrengthBar, kOutstations> bars_;
};

}  // namespace korvanta
