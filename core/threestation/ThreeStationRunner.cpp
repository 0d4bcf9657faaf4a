#include "core/threestation/ThreeStationRunner.h"

#include <algorithm>
#include <chrono>

#include "core/document/DocumentHints.h"
#include "core/document/MeasurementRunner.h"
#include "core/link/IBlockReadyNotifier.h"

namespace korvanta {

namespace {

constexpr std::chrono::milliseconds kNoticeWait{50};

}  // namespace

ThreeStationRunner::ThreeStationRunner(CKorvantaDoc& document, CLinkState& link, PostedCommandQueue& notices,
                                       IClock& clock)
    : document_(document), link_(link), notices_(notices), clock_(clock)
{
    document_.AddObserver(this);
}

ThreeStationRunner::~ThreeStationRunner()
{
    document_.RemoveObserver(this);
}

void ThreeStationRunner::OnDocumentUpdate(uint32_t hint)
{
    hints_.push_back(hint);
    if (hint == kHintMeasurementEnded) {
        mustEnd_ = true;
    }
}

void ThreeStationRunner::PollLink()
{
    if (link_.IsLinkChanged() && !link_.GetLinkUp()) {
        document_.UpdateAllViews(kHintMeasurementEnded);
    }
    if (link_.GetResetPressed()) {
        document_.UpdateAllViews(kHintMeasurementEnded);
    }
}

uint32_t ThreeStationRunner::PairsDone() const
{
    const ThreeStationMeasurement& three = document_.ThreeStation();
    uint32_t fewest = three.Record(0).pairTotal;
    for (int i = 1; i < ThreeStationMeasurement::kPairs; ++i) {
        fewest = std::min(fewest, three.Record(i).pairTotal);
    }
    return fewest;
}

ThreeStationRunner::Outcome ThreeStationRunner::Run(const Options& options)
{
    hints_.clear();
    mustEnd_ = false;
    notices_.Clear();
    LinkCommand select;
    select.code = TM_SELECT_SENSORS;
    select.sensorMask = kThreeStationMask;
    link_.PostCommand(select);

    const int64_t start = clock_.NowMs();
    if (!document_.ThreeStationStart()) {
        return Outcome::StartFailed;
    }
    Outcome outcome = Outcome::Complete;
    while (PairsDone() < options.pairs) {
        uint32_t command = 0;
        if (notices_.WaitNext(command, kNoticeWait) && command == kCommandBlockReadyThreeStation) {
            document_.OnThreeStationBlockReady();
        }
        PollLink();
        if (mustEnd_) {
            outcome = Outcome::Ended;
            break;
        }
        if (options.timeoutMs > 0 && clock_.NowMs() - start >= options.timeoutMs) {
            outcome = Outcome::TimedOut;
            break;
        }
    }
    document_.ThreeStationStop();
    document_.SetMeasuringTime(MeasurementRunner::FormatElapsed(clock_.NowMs() - start));
    return outcome;
}

}  // namespace korvanta
