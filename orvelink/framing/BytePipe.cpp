#include "orvelink/framing/BytePipe.h"

namespace korvanta::orvelink {

BytePipe::BytePipe(std::size_t capacity)
{
    auto toDevice = std::make_shared<ByteQueue>(capacity);
    auto toHost = std::make_shared<ByteQueue>(capacity);
    hostEnd_ = std::make_shared<BytePipeEnd>(toHost, toDevice);
    deviceEnd_ = std::make_shared<BytePipeEnd>(toDevice, toHost);
}

}  // namespace korvanta::orvelink
