#pragma once

#include <cstdint>
#include <vector>

#include "core/view/UnitStatusPanel.h"

namespace korvanta {

struct MessageRequest {
    uint32_t id = 0;
    uint32_t style = 0;

    friend bool operator==(const MessageRequest&, const MessageRequest&) = default;
};

// The low and flat battery warnings of the units present, in the order red, blue, yellow,
// interface unit, from the raw values last reported.
std::vector<MessageRequest> BatteryWarnings(const UnitStatusPanel& panel);

// True when the interface unit reports the value that means its battery is about to give out.
bool InterfaceBatteryCritical(int interfaceRaw);

}  // namespace korvanta
