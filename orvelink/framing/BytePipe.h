#pragma once

#include <cstddef>
#include <memory>

#include "orvelink/framing/BytePipeEnd.h"

namespace korvanta::orvelink {

// Two connected in-memory byte transports, like the two ends of a serial cable. The ends share
// their buffers, so either may be handed to another owner and outlive the pipe object.
class BytePipe {
public:
    // Bytes each direction holds before writes come back short, as on a full serial buffer.
    static constexpr std::size_t kDefaultCapacity = 64 * 1024;

    explicit BytePipe(std::size_t capacity = kDefaultCapacity);

    BytePipeEnd& HostEnd() { return *hostEnd_; }
    BytePipeEnd& DeviceEnd() { return *deviceEnd_; }
    std::shared_ptr<BytePipeEnd> SharedHostEnd() const { return hostEnd_; }
    std::shared_ptr<BytePipeEnd> SharedDeviceEnd() const { return deviceEnd_; }

private:
    std::shared_ptr<BytePipeEnd> hostEnd_;
    std::shared_ptr<BytePipeEnd> deviceEnd_;
};

}  // namespace korvanta::orvelink
