#pragma once

#include <memory>
#include <string>

#include "orvelink/framing/BytePipe.h"
#include "orvelink/framing/LinkClock.h"
#include "orvelink/framing/SteadyLinkClock.h"
#include "sim/FieldKit.h"
#include "sim/KitDevice.h"

namespace korvanta::sim {

// The field kit inside the program's own process, reached by opening the port "SIM". The link
// library's side of an in-memory pipe is registered as its transport; the kit's device sits on
// the other side and runs whenever the library reads the line, so it needs no thread of its own
// and works on whatever thread drives the link. Destroying the object withdraws the transport,
// closing the link first if it runs over the kit.
class InProcessKit {
public:
    static constexpr const char* kTransportName = "SIM";

    ~InProcessKit();
    InProcessKit(const InProcessKit&) = delete;
    InProcessKit& operator=(const InProcessKit&) = delete;

    FieldKit& Kit() { return kit_; }
    KitDevice& Device() { return device_; }

private:
    friend std::unique_ptr<InProcessKit> RegisterSimTransport(const KitOptions&, const orvelink::LinkClock*,
                                                              std::string*);

    InProcessKit(const KitOptions& options, const orvelink::LinkClock* clock);

    static int32_t OpenLine(void* context, int32_t baud);
    static int32_t ReadLine(void* context, uint8_t* buffer, int32_t capacity);
    static int32_t WriteLine(void* context, const uint8_t* bytes, int32_t length);

    orvelink::SteadyLinkClock steadyClock_;
    const orvelink::LinkClock& clock_;
    orvelink::BytePipe pipe_;
    FieldKit kit_;
    KitDevice device_;
};

// Registers a kit built from `options` as the link library's "SIM" transport, replacing any kit
// registered before. The kit keeps time by `clock` (the steady clock when null), which must then
// outlive it. Null, with the reason in `error` when given, for options that do not pass
// CheckKitOptions or when the link is open over the old kit right now.
std::unique_ptr<InProcessKit> RegisterSimTransport(const KitOptions& options,
                                                   const orvelink::LinkClock* clock = nullptr,
                                                   std::string* error = nullptr);

}  // namespace korvanta::sim
