#include "core/platform/PlatformTime.h"

namespace korvanta {

std::tm LocalTimeOf(std::time_t when)
{
    std::tm local{};
#if defined(_WIN32)
    if (localtime_s(&local, &when) != 0) {
        return std::tm{};
    }
#else
    if (localtime_r(&when, &local) == nullptr) {
        return std::tm{};
    }
#endif
    return local;
}

std::tm CurrentLocalTime()
{
    return LocalTimeOf(std::time(nullptr));
}

}  // namespace korvanta
