#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "orvelink/framing/BytePipe.h"
#include "orvelink/framing/LinkEndpoint.h"
#include "orvelink/framing/ManualLinkClock.h"
#include "tests/orvelink/FaultyTransport.h"

namespace korvanta::orvelink::test {

// Two endpoints joined by an in-memory pipe with fault injection on each sending side, driven
// by one manual clock: host writes go through hostFaults, device writes through deviceFaults.
struct EndpointPair {
    static LinkConfig HostConfig()
    {
        LinkConfig config;
        config.session = 0x1111;
        return config;
    }
    static LinkConfig DeviceConfig()
    {
        LinkConfig config;
        config.session = 0x2222;
        config.side = LinkSide::Device;
        return config;
    }

    explicit EndpointPair(const LinkConfig& hostConfig = HostConfig(), const LinkConfig& deviceConfig = DeviceConfig())
        : hostFaults(pipe.HostEnd()),
          deviceFaults(pipe.DeviceEnd()),
          host(hostFaults, clock, hostConfig),
          device(deviceFaults, clock, deviceConfig)
    {
    }

    // One poll cycle of both ends after the clock has moved on.
    void Step(std::chrono::milliseconds step = std::chrono::milliseconds(10))
    {
        clock.Advance(step);
        host.Poll();
        device.Poll();
    }

    void RunFor(std::chrono::milliseconds duration, std::chrono::milliseconds step = std::chrono::milliseconds(10))
    {
        for (auto elapsed = std::chrono::milliseconds(0); elapsed < duration; elapsed += step) {
            Step(step);
        }
    }

    ManualLinkClock clock;
    BytePipe pipe;
    FaultyTransport hostFaults;
    FaultyTransport deviceFaults;
    LinkEndpoint host;
    LinkEndpoint device;
};

// A message whose bytes depend on its index and include the flag and escape bytes.
inline std::vector<uint8_t> TestMessage(int index, std::size_t size)
{
    std::vector<uint8_t> message(size);
    for (std::size_t i = 0; i < size; ++i) {
        message[i] = static_cast<uint8_t>(index * 31 + i * 7);
    }
    if (size > 2) {
        message[1] = 0x7E;
        message[2] = 0x7D;
    }
    return message;
}

}  // namespace korvanta::orvelink::test
