#include "core/document/MeasurementRunner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "core/document/DocumentHints.h"
#include "core/host/IBlockReadyNotifier.h"
#include "core/text/StringIds.h"
#include "core/link/LinkCommand.h"

namespace korvanta {

namespace {

constexpr std::chrono::milliseconds kNoticeWait{50};

}  // namespace

MeasurementRunner::MeasurementRunner(CKorvantaDoc& document, CLinkState& link, PostedCommandQueue& notices,
                                     IMessageSink& messages, IClock& clock)
    : document_(document), link_(link), notices_(notices), messages_(messages), clock_(clock)
{
    document_.AddObserver(this);
}

MeasurementRunner::~MeasurementRunner()
{
    document_.RemoveObserver(this);
}

void MeasurementRunner::OnDocumentUpdate(uint32_t hint)
{
    hints_.push_back(hint);
    if (hint == kHintMeasurementEnded) {
        MustEnd(document_.EndReason() != 0 ? document_.EndReason() : str::kMeasurementStopped);
    }
}

void MeasurementRunner::MustEnd(uint32_t reason)
{
    if (!mustEnd_) {
        endReason_ = reason;
    }
    mustEnd_ = true;
}

// As the view's status poll: a reset of the interface unit or a link that goes down ends the
// measurement, and the user is told which.
void MeasurementRunner::PollLink()
{
    if (link_.GetResetPressed()) {
        MustEnd(str::kResetPressedDuringMeasurement);
        document_.UpdateAllViews(kHintMeasurementEnded);
    } else if (link_.IsLinkChanged() && !link_.GetLinkUp()) {
        MustEnd(str::kCommunicationError);
        document_.UpdateAllViews(kHintMeasurementEnded);
    }
}

void MeasurementRunner::Take(const PostedNotice& notice)
{
    if (notice.kind == PostedNotice::Kind::Message) {
        messages_.ShowMessage(notice.messageId, notice.style);
    } else if (notice.commandId == kCommandBlockReadyTwoStation) {
        document_.OnBlockReady();
    } else if (notice.commandId == kCommandBlockReadyThreeStation) {
        document_.ThreeStationRun().OnBlockReady();
    }
}

// The comms thread's reason for a refused start is posted while the document still waits.
void MeasurementRunner::ShowPendingMessages()
{
    PostedNotice notice;
    while (notices_.WaitNext(notice, std::chrono::milliseconds(0))) {
        if (notice.kind == PostedNotice::Kind::Message) {
            messages_.ShowMessage(notice.messageId, notice.style);
        }
    }
}

uint32_t MeasurementRunner::PairsDone(bool threeStation) const
{
    if (!threeStation) {
        return document_.PairTotal();
    }
    const ThreeStationMeasurement& three = document_.ThreeStation();
    uint32_t fewest = three.Record(0).pairTotal;
    for (int i = 1; i < ThreeStationMeasurement::kPairs; ++i) {
        fewest = std::min(fewest, three.Record(i).pairTotal);
    }
    return fewest;
}

MeasurementRunner::Outcome MeasurementRunner::Run(const Options& options)
{
    hints_.clear();
    mustEnd_ = false;
    endReason_ = 0;
    notices_.Clear();
    if (options.threeStation) {
        LinkCommand select;
        select.code = TM_SELECT_SENSORS;
        select.sensorMask = kThreeStationMask;
        link_.PostCommand(select);
    }
    const int64_t start = clock_.NowMs();
    if (!(options.threeStation ? document_.ThreeStationRun().Start() : document_.StartMeasurement())) {
        ShowPendingMessages();
        return Outcome::StartFailed;
    }
    Outcome outcome = Outcome::Complete;
    while (PairsDone(options.threeStation) < options.pairs) {
        PostedNotice notice;
        if (notices_.WaitNext(notice, kNoticeWait)) {
            Take(notice);
        }
        PollLink();
        if (options.interrupted && options.interrupted()) {
            // Blocks that arrived before the interrupt are summed, not dropped with the queue.
            while (notices_.WaitNext(notice, std::chrono::milliseconds(0))) {
                Take(notice);
            }
            outcome = Outcome::Interrupted;
            break;
        }
        if (mustEnd_) {
            outcome = Outcome::Ended;
            break;
        }
        if (options.timeoutMs > 0 && clock_.NowMs() - start >= options.timeoutMs) {
            outcome = Outcome::TimedOut;
            break;
        }
    }
    if (options.threeStation) {
        document_.ThreeStationRun().Stop();
    } else {
        document_.StopMeasurement();
    }
    document_.SetMeasuringTime(FormatElapsed(clock_.NowMs() - start));
    if (outcome == Outcome::Ended) {
        messages_.ShowMessage(endReason_, kStyleExclamation);
    }
    return outcome;
}

std::string MeasurementRunner::FormatElapsed(int64_t milliseconds)
{
    const int64_t seconds = milliseconds > 0 ? milliseconds / 1000 : 0;
    char text[16];
    std::snprintf(text, sizeof(text), "%02d:%02d:%02d", static_cast<int>(seconds / 3600 % 24),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

}  // namespace korvanta
