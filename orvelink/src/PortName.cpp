#include "orvelink/src/PortName.h"

namespace korvanta::orvelink {

namespace {
constexpr std::string_view kDevicePrefix = "\\\\.\\";
}

std::string PortName::WithoutDevicePrefix(std::string_view path)
{
    if (path.starts_with(kDevicePrefix)) {
        path.remove_prefix(kDevicePrefix.size());
    }
    return std::string(path);
}

std::string PortName::ForSerialPort(std::string_view path)
{
#if defined(_WIN32)
    return std::string(path);
#else
    return WithoutDevicePrefix(path);
#endif
}

}  // namespace korvanta::orvelink
