#include "core/document/SamplingStarter.h"

namespace korvanta {

SamplingStarter::Answer SamplingStarter::Start(const std::function<bool()>& abandoned)
{
    if (pump_ != nullptr) {
        pump_->BeginWait();
    }
    link_.SetSamplingAnswered(false);
    LinkCommand command;
    command.code = TM_START_SAMPLING;
    link_.PostCommand(command);

    const int64_t start = clock_.NowMs();
    Answer answer = Answer::NoAnswer;
    for (;;) {
        const bool answered = link_.IsSamplingAnswered();
        if (answered) {
            answer = link_.GetSamplingStarted() ? Answer::Started : Answer::Refused;
        }
        if (pump_ != nullptr) {
            pump_->Pump();
        }
        if (abandoned && abandoned()) {
            answer = Answer::Abandoned;
            break;
        }
        clock_.SleepMs(kPollMs);
        if (answered || clock_.NowMs() - start >= kTimeoutMs) {
            break;
        }
    }
    if (answer == Answer::NoAnswer) {
        // The comms thread may still be retrying (four tries of 12 s outlast this wait); a start
        // that succeeds after all must not leave the stations sampling for nobody.
        LinkCommand stop;
        stop.code = TM_STOP_CORRELATING;
        link_.PostCommand(stop);
    }
    if (pump_ != nullptr) {
        pump_->EndWait();
    }
    return answer;
}

}  // namespace korvanta
