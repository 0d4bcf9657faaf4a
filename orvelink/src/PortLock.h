#pragma once

namespace korvanta::orvelink {

// A serial port is one program's at a time: two programs talking through one port would take
// each other's replies. The port's descriptor gets an exclusive advisory lock (which another
// program opening the port through this library also asks for) and the terminal's own
// exclusive mode (which refuses further opens by anyone but the superuser; not on a pseudo-terminal, whose
// far side would keep it after a killed program).
//
// False, with errno EWOULDBLOCK, when another open of the port holds the lock already.
bool LockPort(int fd);
// Gives up the terminal's exclusive mode before the descriptor is closed; the lock goes with the
// descriptor.
void UnlockPort(int fd);

}  // namespace korvanta::orvelink
