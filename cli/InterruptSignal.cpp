#include "cli/InterruptSignal.h"

namespace korvanta::cli {

namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void RecordSignal(int signal)
{
    received = signal;
}

}  // namespace

InterruptSignal::InterruptSignal()
{
    received = 0;
    struct sigaction action {};
    action.sa_handler = RecordSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: the next signal takes its default course and ends the program.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, &savedInterrupt_);
    sigaction(SIGTERM, &action, &savedTerminate_);
}

InterruptSignal::~InterruptSignal()
{
    sigaction(SIGINT, &savedInterrupt_, nullptr);
    sigaction(SIGTERM, &savedTerminate_, nullptr);
}

int InterruptSignal::Received()
{
    return received;
}

}  // namespace korvanta::cli
