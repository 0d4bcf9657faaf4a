#pragma once

#include <cstdint>
#include <string_view>

#include "core/host/IClock.h"
#include "core/host/IWaitPump.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// The oldest interface-unit firmware this program works with, and the family prefix every
// compatible version text starts with.
inline constexpr std::string_view kMinimumFirmware = "QX-913-07-200C";
inline constexpr std::string_view kFirmwarePrefix = "QX-913-07-";

// True when `version` is of the same family and length as the minimum and not older: the three
// digits after the prefix compare as a number, the last character breaks a tie.
bool IsFirmwareCompatible(std::string_view version);

// What the firmware check found. A unit that does not answer has shown no firmware at all: it
// is not reported as an old one.
enum class FirmwareVerdict { Compatible, Incompatible, NoAnswer };

// Asks the interface unit for its firmware version through the comms thread's queue (urgent)
// and waits for the answer on the caller's thread, polling every 100 ms for at most 10 s while
// `pump` keeps the window painting.
class FirmwareCheck {
public:
    static constexpr int64_t kPollMs = 100;
    static constexpr int64_t kTimeoutMs = 10000;

    FirmwareCheck(CLinkState& link, IClock& clock, IWaitPump* pump) : link_(link), clock_(clock), pump_(pump) {}
    FirmwareVerdict Run();
    // The message that goes with a verdict other than Compatible (0 for Compatible).
    static uint32_t MessageFor(FirmwareVerdict verdict);

private:
    CLinkState& link_;
    IClock& clock_;
    IWaitPump* pump_;
};

}  // namespace korvanta
