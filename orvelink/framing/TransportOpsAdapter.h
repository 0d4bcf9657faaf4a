#pragma once

#include "orvelink/framing/ByteTransport.h"
#include "orvelink/orvelink_transport.h"

namespace korvanta::orvelink {

// Offers a ByteTransport to the link library's registration hook:
//   orvelink_register_transport("SIM", &TransportOpsAdapter::Ops(),
//                               TransportOpsAdapter::Context(pipe.HostEnd()));
// The transport must stay alive while registered. Opening a BytePipeEnd this way drops the
// bytes left in it from an earlier session, as opening a serial port starts afresh.
class TransportOpsAdapter {
public:
    static const orvelink_transport_ops& Ops();
    // The context pointer the operations expect.
    static void* Context(ByteTransport& transport) { return &transport; }
};

}  // namespace korvanta::orvelink
