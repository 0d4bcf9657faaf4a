#pragma once

#include <array>
#include <string>

#include "core/link/CLinkState.h"

namespace korvanta {

// The ADC dialog's live voltages: each unit that answered its diagnostics request is asked
// again at the next tick. While the link is down nothing is asked (a request would only wait
// in the queue for ever); when it comes back every unit is asked afresh.
class AdcReadings {
public:
    static constexpr int kUnits = CLinkState::kUnits;
    static constexpr int kTickMs = 1000;

    explicit AdcReadings(CLinkState& link) : link_(link) {}

    void Start();
    // True when a text changed.
    bool Tick();

    const std::string& Text(int unit) const { return texts_[unit]; }
    bool Waiting(int unit) const { return waiting_[unit]; }

private:
    void Ask(int unit);

    CLinkState& link_;
    bool linkWasUp_ = true;
    std::array<std::string, kUnits> texts_;
    std::array<bool, kUnits> waiting_ = {};
};

}  // namespace korvanta
