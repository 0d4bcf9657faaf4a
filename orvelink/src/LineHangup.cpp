#include "orvelink/src/LineHangup.h"

#if !defined(_WIN32)
#include <poll.h>
#endif

namespace korvanta::orvelink {

bool LineHungUp(int fd)
{
#if defined(_WIN32)
    (void)fd;
    return false;
#else
    pollfd state{};
    state.fd = fd;
    state.events = POLLIN;
    return ::poll(&state, 1, 0) > 0 && (state.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#endif
}

}  // namespace korvanta::orvelink
