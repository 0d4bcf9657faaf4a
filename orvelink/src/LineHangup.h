#pragma once

namespace korvanta::orvelink {

// True when the line behind `fd` has hung up (a USB adaptor pulled, the far side of a
// pseudo-terminal closed): a non-blocking read then gives 0 bytes or an error, just as a quiet
// line gives none, so only the descriptor's poll state tells the two apart. Always false where
// the platform has no such descriptor.
bool LineHungUp(int fd);

}  // namespace korvanta::orvelink
