#pragma once

#include <csignal>

namespace korvanta::cli {

// Ctrl-C (SIGINT) and SIGTERM during a measurement stop it as the Stop command does, so that the
// pairs summed so far are saved rather than lost. The handler only records the signal; the
// measurement loop asks for it between blocks. A second signal of the same kind ends the program
// at once, as usual.
class InterruptSignal {
public:
    InterruptSignal();
    ~InterruptSignal();
    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

    // The signal received, 0 while none came.
    static int Received();
    // The shell's status for a program ended by the signal: 130 for SIGINT, 143 for SIGTERM.
    static int ExitStatus(int signal) { return 128 + signal; }

private:
    struct sigaction savedInterrupt_ {};
    struct sigaction savedTerminate_ {};
};

}  // namespace korvanta::cli
