#include "core/view/ThreeStationViewModel.h"

#include "core/fileio/FileProblem.h"
#include "core/text/StringTable.h"

#include <cstring>

#include "core/document/DocumentHints.h"
#include "core/document/MeasurementRunner.h"
#include "core/link/LinkCommand.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/threestation/EngineDelays.h"
#include "core/threestation/Kv3File.h"
#include "core/threestation/ThreeStationIcons.h"
#include "core/threestation/ThreeStationTexts.h"

namespace korvanta {

namespace {

constexpr const char* kCutoffFormat = "%0.1f";
constexpr int32_t kFirstPair = 6;

}  // namespace

ThreeStationViewModel::ThreeStationViewModel(CKorvantaDoc& document, CLinkState& link, IThreeStationHost& host,
                                             IMessageSink& messages, IClock& clock, UnitSystem units, TimeUnit time,
                                             int sensorMaskBefore)
    : doc_(document),
      link_(link),
      host_(host),
      messages_(messages),
      clock_(clock),
      units_(units),
      time_(time),
      sensorMaskBefore_(sensorMaskBefore)
{
}

ThreeStationViewModel::~ThreeStationViewModel()
{
    PostSensorMask(sensorMaskBefore_);
}

void ThreeStationViewModel::PostSensorMask(int mask)
{
    LinkCommand select;
    select.code = TM_SELECT_SENSORS;
    select.sensorMask = mask;
    link_.PostCommand(select);
}

void ThreeStationViewModel::InitialUpdate()
{
    doc_.ThreeStationRun().Clear();
    PostSensorMask(MeasurementRunner::kThreeStationMask);
    startEnabled_ = false;
    SelectPair(kFirstPair);
    StatusPoll();
    ShowChart(Chart::Blank);
}

uint32_t ThreeStationViewModel::StartButtonText() const
{
    return running_ ? str::kStop : str::kStart;
}

std::filesystem::path ThreeStationViewModel::WithKv3Suffix(std::filesystem::path path)
{
    // A name with nothing after its last dot (or no dot) has no extension; ".kv3" alone is one.
    const std::string name = path.filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot + 1 == name.size()) {
        path += ".kv3";
    }
    return path;
}

void ThreeStationViewModel::ClearResultTexts()
{
    delayText_.clear();
    qualityText_.clear();
    measuringTimeText_.clear();
    velocityText_.clear();
    pairVerdicts_ = {};
}

void ThreeStationViewModel::ShowChart(Chart chart)
{
    chart_ = chart;
    ++chartRevision_;
}

// --- Files ------------------------------------------------------------------------------------

void ThreeStationViewModel::NewResult()
{
    setUp_ = false;
    doc_.ThreeStationRun().Clear();
    resultFlag_ = false;
    fileLoaded_ = false;
    result_ = CThreeStationResult();
    measuringTime_.clear();
    ClearResultTexts();
    ShowCutoffs();
    ShowChart(Chart::Blank);
}

bool ThreeStationViewModel::OpenFile(const std::filesystem::path& path)
{
    Kv3Contents contents;
    FileProblem problem;
    const Kv3Status status = ReadKv3File(path, contents, nullptr, &problem);
    if (status != Kv3Status::Ok) {
        const uint32_t id = Kv3StatusMessage(status);
        const std::string reason = status == Kv3Status::CannotOpen ? FileProblemText(problem) : LoadString(id);
        messages_.ShowText(id, FileFailureText(str::kFileOpenFailedNamed, path.string(), reason), kStyleStop);
        return false;  // the result on show stays as it was
    }
    RestoreKv3Records(contents, doc_.ThreeStation());
    result_ = contents.result;
    resultFlag_ = true;
    setUp_ = true;
    SelectPair(displayed_);
    fileLoaded_ = true;
    const char* time = doc_.ThreeStation().Record(0).measuringTime;
    measuringTime_.assign(time, ::strnlen(time, sizeof(doc_.ThreeStation().Record(0).measuringTime)));
    measuringTimeText_ = measuringTime_;
    return true;
}

bool ThreeStationViewModel::SaveFile(const std::filesystem::path& path)
{
    std::string error;
    FileProblem problem;
    if (!WriteKv3File(path, doc_.ThreeStation(), result_, error, &problem)) {
        const std::string reason = problem.kind != FileProblem::Kind::None ? FileProblemText(problem) : error;
        messages_.ShowText(str::kFileSaveError, FileFailureText(str::kFileSaveFailedNamed, path.string(), reason),
                           kStyleStop);
        return false;
    }
    return true;
}

// --- Measurement ------------------------------------------------------------------------------

void ThreeStationViewModel::StartOrStop()
{
    if (running_) {
        Stop();
    } else {
        Start();
    }
}

void ThreeStationViewModel::Start()
{
    if (fileLoaded_) {
        NewResult();
    }
    host_.EnableAllMenus(false);
    resultFlag_ = false;
    doc_.ThreeStation().ClearTraces();
    ShowChart(Chart::Blank);
    ClearResultTexts();
    if (!setUp_) {
        std::optional<ThreeStationSetup> setup = host_.RunSetup();
        if (!setup) {
            host_.EnableAllMenus(true);
            return;
        }
        setup_ = *setup;
        setUp_ = true;
        result_ = CThreeStationResult(setup_);
        doc_.ThreeStationRun().Setup(setup_.Ranges(), setup_.Cutoffs().low, setup_.Cutoffs().high);
        host_.SetupApplied(setup_.RedBlue(), setup_.BlueYellow());
    }
    host_.ShowLinkActivity(LinkActivity::Starting, 0);
    if (doc_.ThreeStationRun().Start()) {
        startMs_ = clock_.NowMs();
        running_ = true;
        blockSets_ = 0;
        host_.ShowLinkActivity(LinkActivity::Measuring, blockSets_);
    } else {
        host_.ShowLinkActivity(LinkActivity::Idle, 0);
        host_.EnableAllMenus(true);
    }
    ShowCutoffs();
}

void ThreeStationViewModel::Stop()
{
    doc_.ThreeStationRun().Stop();
    running_ = false;
    host_.ShowLinkActivity(LinkActivity::Idle, 0);
    progress_ = 0;
    doc_.SetMeasuringTime(measuringTime_);
    host_.EnableAllMenus(true);
    if (displayed_ == ThreeStationMeasurement::kResultView) {
        host_.EnableFiltersCommand(false);
    }
    StatusPoll();
}

void ThreeStationViewModel::MeasuringTimeTick()
{
    if (doc_.IsMeasuring()) {
        measuringTime_ = MeasurementRunner::FormatElapsed(clock_.NowMs() - startMs_);
    }
    const bool shown = doc_.IsMeasuring() || fileLoaded_;
    measuringTimeText_ = shown ? measuringTime_ : std::string();
}

void ThreeStationViewModel::StatusPoll()
{
    ThreeStationUnits units;
    for (int unit = 0; unit < 4; ++unit) {
        bool present = false;
        bool sensor = false;
        link_.GetUnitStatus(unit, present, sensor);
        units.present[static_cast<size_t>(unit)] = present;
        units.sensor[static_cast<size_t>(unit)] = sensor;
    }
    if (link_.IsChargeUpdated()) {
        int charging = 0;
        link_.GetChargeStatus(batteries_, charging);
    }
    const int radioMode = host_.GetRadioMode();
    for (int unit = 0; unit < 4; ++unit) {
        const auto index = static_cast<size_t>(unit);
        const bool present = units.present[index];
        ThreeStationUnitIcons& icons = unitIcons_[index];
        icons.presence = UnitIcon(unit, present);
        icons.battery = BatteryIcon(unit, present, present ? batteries_[index] : 0);
        icons.radio = RadioIcon(present, radioMode);
        icons.sensor = unit != 0 ? SensorIcon(unit, units.sensor[index]) : 0;
    }
    pairIcons_ = PairSensorIcons(displayed_);
    startEnabled_ = korvanta::StartButtonEnabled(units, running_);
}

// --- Pairs, hints and what they show ----------------------------------------------------------

void ThreeStationViewModel::SelectPair(int32_t pairCode)
{
    displayed_ = pairCode;
    doc_.ThreeStation().SetSelectedPair(pairCode);
    const bool resultView = pairCode == ThreeStationMeasurement::kResultView;
    if (resultView) {
        host_.EnableFiltersCommand(false);
    } else if (!running_) {
        host_.EnableFiltersCommand(true);
    }
    pairIcons_ = PairSensorIcons(displayed_);
    ShowCutoffs();
    HandleHint(resultView ? kHintThreeStationCombinedResult : kHintThreeStationResult, false);
}

void ThreeStationViewModel::OnDocumentUpdate(uint32_t hint)
{
    HandleHint(hint, true);
}

void ThreeStationViewModel::HandleHint(uint32_t hint, bool fromDocument)
{
    switch (hint) {
    case kHintThreeStationResult:
        resultFlag_ = resultFlag_ || fromDocument;
        if (resultFlag_) {
            ShowPairResult();
        }
        break;
    case kHintThreeStationBlockSet:
        progress_ = NextProgress(progress_);
        if (running_) {
            // Each complete set of blocks adds one block pair to every pair of stations.
            host_.ShowLinkActivity(LinkActivity::Measuring, ++blockSets_);
        }
        break;
    case kHintThreeStationFiltersChanged:
        ShowCutoffs();
        if (resultFlag_) {
            doc_.Recompute();
            HandleHint(displayed_ == ThreeStationMeasurement::kResultView ? kHintThreeStationCombinedResult
                                                                          : kHintThreeStationResult,
                       false);
        }
        break;
    case kHintThreeStationCombinedResult:
        resultFlag_ = resultFlag_ || fromDocument;
        if (resultFlag_) {
            ShowCombinedResult();
        }
        delayText_.clear();
        qualityText_.clear();
        break;
    case kHintMeasurementEnded:
        // No further block will come: the measurement ends here rather than stalling.
        if (running_) {
            Stop();
            const uint32_t reason = doc_.EndReason();
            messages_.ShowMessage(reason != 0 ? reason : str::kMeasurementStopped, kStyleExclamation);
        }
        break;
    default:
        break;
    }
}

void ThreeStationViewModel::ShowPairResult()
{
    if (displayed_ == ThreeStationMeasurement::kResultView) {
        ShowCombinedResult();
        return;
    }
    ShowChart(Chart::PairTrace);
    delayText_ = PairDelayText(doc_.GetDelay(), time_);
    qualityText_ = PairQualityText(doc_.GetQuality());
    ComputeFromEngines(doc_.ThreeStation(), result_);
    ShowVelocity();
    ShowPairVerdicts();
}

void ThreeStationViewModel::ShowCombinedResult()
{
    ComputeFromEngines(doc_.ThreeStation(), result_);
    ShowChart(Chart::Result);
    ShowVelocity();
    ShowPairVerdicts();
}

void ThreeStationViewModel::ShowPairVerdicts()
{
    for (int i = 0; i < kThreeStationPairs; ++i) {
        pairVerdicts_[static_cast<size_t>(i)] = AssessPair(doc_.ThreeStation().Engine(i), result_, i, units_);
    }
}

void ThreeStationViewModel::ShowVelocity()
{
    const bool shown = resultFlag_ && result_.IsComputable();
    velocityText_ = shown ? FormatVelocity(result_.Velocity(), units_, time_) : std::string();
}

void ThreeStationViewModel::ShowCutoffs()
{
    if (!setUp_ || displayed_ == ThreeStationMeasurement::kResultView) {
        lowCutoffText_.clear();
        highCutoffText_.clear();
        return;
    }
    lowCutoffText_ = CutoffText(doc_.Filters().LowCutoff(), kCutoffFormat);
    highCutoffText_ = CutoffText(doc_.Filters().HighCutoff(), kCutoffFormat);
}

}  // namespace korvanta
