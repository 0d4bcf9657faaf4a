#include "core/document/MeasurementSession.h"

namespace korvanta {

MeasurementSession::MeasurementSession(CLinkState& link, IClock& clock, IWaitPump* pump)
    : link_(link), starter_(link, clock, pump)
{
}

MeasurementSession::StartResult MeasurementSession::StartSampling()
{
    if (waiting_) {
        return StartResult::Failed;
    }
    waiting_ = true;
    stopDuringWait_ = false;
    const SamplingStarter::Answer answer = starter_.Start([this] { return stopDuringWait_; });
    waiting_ = false;
    if (answer == SamplingStarter::Answer::Abandoned || stopDuringWait_) {
        return StartResult::Stopped;
    }
    return answer == SamplingStarter::Answer::Started ? StartResult::Started : StartResult::Failed;
}

void MeasurementSession::End()
{
    link_.ClearCommands();
    LinkCommand stop;
    stop.code = TM_STOP_CORRELATING;
    link_.PostCommand(stop);
    measuring_ = false;
    if (waiting_) {
        stopDuringWait_ = true;
    }
}

void MeasurementSession::RequestNextBlock(bool threeStation)
{
    link_.SetDataBlockReady(false);
    LinkCommand next;
    next.code = TM_GET_DATA_BLOCK;
    next.threeStation = threeStation ? 1 : 0;
    link_.PostCommand(next);
}

}  // namespace korvanta
