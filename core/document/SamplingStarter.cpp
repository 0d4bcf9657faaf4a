#include "core/document/SamplingStarter.h"

namespace korvanta {

bool SamplingStarter::Start()
{
    if (pump_ != nullptr) {
        pump_->BeginWait();
    }
    link_.SetSamplingAnswered(false);
    LinkCommand command;
    command.code = TM_START_SAMPLING;
    link_.PostCommand(command);

    const int64_t start = clock_.NowMs();
    bool started = false;
    for (;;) {
        const bool answered = link_.IsSamplingAnswered();
        if (answered) {
            started = link_.GetSamplingStarted();
        }
        if (pump_ != nullptr) {
            pump_->Pump();
        }
        clock_.SleepMs(kPollMs);
        if (answered || clock_.NowMs() - start >= kTimeoutMs) {
            break;
        }
    }
    if (pump_ != nullptr) {
        pump_->EndWait();
    }
    return started;
}

}  // namespace korvanta
