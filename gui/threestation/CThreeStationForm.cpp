#include "gui/threestation/CThreeStationForm.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "core/app/CommandIds.h"
#include "core/document/DocumentHints.h"
#include "core/document/MeasurementRunner.h"
#include "core/link/LinkCommand.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "core/threestation/EngineDelays.h"
#include "core/threestation/Kv3File.h"
#include "core/threestation/ThreeStationChart.h"
#include "core/threestation/ThreeStationIcons.h"
#include "core/threestation/ThreeStationTexts.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CTemplateGroupBox.h"
#include "gui/threestation/ThreeStationChartPainter.h"
#include "gui/threestation/ThreeStationFormTemplate.h"
#include "gui/threestation/ThreeStationIconPainter.h"

namespace korvanta::gui {

namespace {

constexpr int kProgressSteps = 5;
constexpr const char* kCutoffFormat = "%0.1f";

struct PairButton {
    int control;
    int32_t code;
};
constexpr std::array<PairButton, 4> kPairButtons = {{{ctl3::kRedBlue, 6},
                                                     {ctl3::kBlueYellow, 12},
                                                     {ctl3::kRedYellow, 10},
                                                     {ctl3::kResult, ThreeStationMeasurement::kResultView}}};

// The status icons of each unit: presence, battery, sensor (outstations), radio.
struct UnitControls {
    int unit;
    int presence;
    int battery;
    int sensor;
    int radio;
};
constexpr std::array<UnitControls, 4> kUnitControls = {{
    {0, ctl3::kInterfaceUnit, ctl3::kInterfaceBattery, 0, ctl3::kInterfaceRadio},
    {1, ctl3::kRedUnit, ctl3::kRedBattery, ctl3::kRedSensor, ctl3::kRedRadio},
    {2, ctl3::kBlueUnit, ctl3::kBlueBattery, ctl3::kBlueSensor, ctl3::kBlueRadio},
    {3, ctl3::kYellowUnit, ctl3::kYellowBattery, ctl3::kYellowSensor, ctl3::kYellowRadio},
}};

QString Text(uint32_t id)
{
    const char* text = LoadString(id);
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

}  // namespace

CThreeStationForm::CThreeStationForm(ThreeStationFormContext context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), doc_(*context_.document)
{
    BuildControls();
    // Initial update: the template's layout at 96 dpi, the status poll, the pair red/blue.
    layout_.Apply(this, ThreeStationFormTemplate());
    chartImage_ = ThreeStationChartPainter::Blank(chart_->size());
    statusTimer_.setInterval(context_.statusInterval);
    connect(&statusTimer_, &QTimer::timeout, this, &CThreeStationForm::RefreshStatus);
    statusTimer_.start();
    timeTimer_.setInterval(context_.timeInterval);
    connect(&timeTimer_, &QTimer::timeout, this, &CThreeStationForm::RefreshMeasuringTime);

    doc_.AddObserver(this);
    doc_.ClearThreeStationData();
    LinkCommand select;
    select.code = TM_SELECT_SENSORS;
    select.sensorMask = MeasurementRunner::kThreeStationMask;
    context_.link->PostCommand(select);

    start_->setText(Text(str::kStart));
    start_->setEnabled(false);
    SetText(ctl3::kDelayUnit, Text(TimeUnitLabel(context_.time)));
    SetText(ctl3::kVelocityUnit, Text(VelocityUnitLabel(context_.units, context_.time)));
    SelectPair(6);
    RefreshStatus();
    ClearChart();
}

CThreeStationForm::~CThreeStationForm()
{
    statusTimer_.stop();
    timeTimer_.stop();
    doc_.RemoveObserver(this);
    LinkCommand select;
    select.code = TM_SELECT_SENSORS;
    select.sensorMask = context_.sensorMaskBefore;
    context_.link->PostCommand(select);
    // The menus are given back by whoever takes the form away: the frame may be going as well.
}

void CThreeStationForm::BuildControls()
{
    for (const DialogItemTemplate& item : ThreeStationFormTemplate().items) {
        QWidget* control = nullptr;
        const QString text = item.text != nullptr ? QString::fromUtf8(item.text) : QString();
        if (item.id == ctl3::kStart) {
            start_ = new QPushButton(text, this);
            connect(start_, &QPushButton::clicked, this, &CThreeStationForm::StartOrStop);
            control = start_;
        } else if (item.id == ctl3::kProgress) {
            progress_ = new QProgressBar(this);
            progress_->setRange(0, kProgressSteps);
            progress_->setValue(0);
            progress_->setTextVisible(false);
            control = progress_;
        } else if (item.id >= 1700 && item.text != nullptr && item.cy > 12) {
            control = new CTemplateGroupBox(text, this);
        } else if (auto found = std::find_if(kPairButtons.begin(), kPairButtons.end(),
                                             [&](const PairButton& b) { return b.control == item.id; });
                   found != kPairButtons.end()) {
            auto* button = new QRadioButton(text, this);
            button->setAutoExclusive(false);  // the form checks and unchecks them itself
            const int32_t code = found->code;
            connect(button, &QRadioButton::clicked, this, [this, code] { SelectPair(code); });
            pairButtons_[static_cast<size_t>(found - kPairButtons.begin())] = button;
            control = button;
        } else {
            auto* label = new QLabel(text, this);
            // A static control paints its own rectangle: a group's line does not run through it.
            label->setAutoFillBackground(true);
            if (item.id == ctl3::kChart) {
                chart_ = label;
                label->setFrameShape(QFrame::Box);
            }
            control = label;
        }
        control->setObjectName(CTemplateLayout::ControlName(item.id));
    }
}

QLabel* CThreeStationForm::Label(int control) const
{
    return findChild<QLabel*>(CTemplateLayout::ControlName(control), Qt::FindDirectChildrenOnly);
}

void CThreeStationForm::SetText(int control, const QString& text)
{
    if (QLabel* label = Label(control)) {
        label->setText(text);
    }
}

void CThreeStationForm::ShowIcon(int control, int iconId)
{
    if (QLabel* label = Label(control)) {
        label->setPixmap(iconId != 0 ? ThreeStationIconPainter::Icon(iconId) : QPixmap());
    }
}

int CThreeStationForm::Progress() const
{
    return progress_->value();
}

// --- Commands ---------------------------------------------------------------------------------

bool CThreeStationForm::OnCommand(uint32_t id)
{
    switch (id) {
    case cmd::kTwoStationMode:
        if (!running_ && context_.leave) {
            context_.leave();
        }
        return true;
    case cmd::kThreeStationNew:
        NewResult();
        return true;
    case cmd::kThreeStationOpen:
        OpenFromMenu();
        return true;
    case cmd::kThreeStationSave:
        SaveFromMenu();
        return true;
    default:
        return false;
    }
}

void CThreeStationForm::OnUpdateCommand(uint32_t id, CommandUi& ui)
{
    if (id == cmd::kThreeStationSave) {
        ui.enabled = resultFlag_ && !running_;
    }
    if (id == cmd::kThreeStationMode || id == cmd::kTwoStationMode) {
        ui.checked = id == cmd::kThreeStationMode;
    }
}

void CThreeStationForm::NewResult()
{
    setUp_ = false;
    doc_.ClearThreeStationData();
    resultFlag_ = false;
    fileLoaded_ = false;
    result_ = CThreeStationResult();
    measuringTime_.clear();
    for (int control : {ctl3::kDelay, ctl3::kQuality, ctl3::kMeasuringTime, ctl3::kVelocity}) {
        SetText(control, {});
    }
    ShowCutoffs();
    ClearChart();
    if (context_.frame != nullptr) {
        context_.frame->SetDocumentTitle(Text(str::kUntitledDocument));
    }
}

void CThreeStationForm::OpenFromMenu()
{
    const QString path = context_.askFileName ? context_.askFileName(false) : QString();
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

void CThreeStationForm::SaveFromMenu()
{
    if (!resultFlag_) {
        return;
    }
    QString path = context_.askFileName ? context_.askFileName(true) : QString();
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".kv3");
    }
    SaveFile(path);
}

bool CThreeStationForm::OpenFile(const QString& path)
{
    Kv3Contents contents;
    const Kv3Status status = ReadKv3File(path.toStdString(), contents);
    if (status != Kv3Status::Ok) {
        context_.messages->ShowMessage(Kv3StatusMessage(status), kStyleStop);
        return false;  // the result on show stays as it was
    }
    RestoreKv3Records(contents, doc_.ThreeStation());
    result_ = contents.result;
    resultFlag_ = true;
    setUp_ = true;
    SelectPair(displayed_);
    fileLoaded_ = true;
    if (context_.frame != nullptr) {
        context_.frame->SetDocumentTitle(QFileInfo(path).fileName());
    }
    const char* time = doc_.ThreeStation().Record(0).measuringTime;
    measuringTime_.assign(time, ::strnlen(time, sizeof(doc_.ThreeStation().Record(0).measuringTime)));
    SetText(ctl3::kMeasuringTime, QString::fromLatin1(measuringTime_.c_str()));
    return true;
}

bool CThreeStationForm::SaveFile(const QString& path)
{
    std::string error;
    if (!WriteKv3File(path.toStdString(), doc_.ThreeStation(), result_, error)) {
        context_.messages->ShowMessage(str::kFileSaveError, kStyleStop);
        return false;
    }
    if (context_.frame != nullptr) {
        context_.frame->SetDocumentTitle(QFileInfo(path).fileName());
    }
    return true;
}

// --- Measurement ------------------------------------------------------------------------------

void CThreeStationForm::StartOrStop()
{
    if (running_) {
        Stop();
    } else {
        Start();
    }
}

void CThreeStationForm::Start()
{
    if (fileLoaded_) {
        NewResult();
    }
    context_.frame->EnableAllMenus(false);
    resultFlag_ = false;
    doc_.ClearThreeStationTraces();
    ClearChart();
    for (int control : {ctl3::kDelay, ctl3::kQuality, ctl3::kMeasuringTime, ctl3::kVelocity}) {
        SetText(control, {});
    }
    bool justSetUp = false;
    if (!setUp_) {
        std::optional<ThreeStationSetup> setup = context_.runSetup ? context_.runSetup() : std::nullopt;
        if (!setup) {
            context_.frame->EnableAllMenus(true);
            return;
        }
        setup_ = *setup;
        setUp_ = true;
        justSetUp = true;
        result_ = CThreeStationResult();
        const auto pairs = setup_.PairRecords();
        for (int i = 0; i < kThreeStationPairs; ++i) {
            result_.SetPair(i, pairs[static_cast<size_t>(i)]);
        }
        result_.SetVelocityBounds(setup_.LowerVelocityBound(), setup_.UpperVelocityBound());
        result_.SetMeanVelocity(setup_.MeanVelocity());
    }
    if (justSetUp) {
        doc_.ThreeStationSetup(setup_.Ranges(), setup_.Cutoffs().low, setup_.Cutoffs().high);
        if (context_.setupApplied) {
            context_.setupApplied(setup_.RedBlue(), setup_.BlueYellow());
        }
    }
    if (doc_.ThreeStationStart()) {
        timeTimer_.start();
        startMs_ = context_.clock->NowMs();
        running_ = true;
        start_->setText(Text(str::kStop));
    } else {
        context_.frame->EnableAllMenus(true);
    }
    ShowCutoffs();
}

void CThreeStationForm::Stop()
{
    doc_.ThreeStationStop();
    running_ = false;
    start_->setText(Text(str::kStart));
    progress_->setValue(0);
    timeTimer_.stop();
    doc_.SetMeasuringTime(measuringTime_);
    context_.frame->EnableAllMenus(true);
    if (displayed_ == ThreeStationMeasurement::kResultView) {
        context_.frame->EnableFiltersCommand(false);
    }
    RefreshStatus();
}

void CThreeStationForm::RefreshMeasuringTime()
{
    if (doc_.IsMeasuring()) {
        measuringTime_ = MeasurementRunner::FormatElapsed(context_.clock->NowMs() - startMs_);
    }
    const bool shown = doc_.IsMeasuring() || fileLoaded_;
    SetText(ctl3::kMeasuringTime, shown ? QString::fromLatin1(measuringTime_.c_str()) : QString());
}

void CThreeStationForm::RefreshStatus()
{
    CLinkState& link = *context_.link;
    ThreeStationUnits units;
    for (int unit = 0; unit < 4; ++unit) {
        bool present = false;
        bool sensor = false;
        link.GetUnitStatus(unit, present, sensor);
        units.present[static_cast<size_t>(unit)] = present;
        units.sensor[static_cast<size_t>(unit)] = sensor;
    }
    if (link.IsChargeUpdated()) {
        int charging = 0;
        link.GetChargeStatus(batteries_, charging);
    }
    const int radioMode = context_.frame != nullptr ? context_.frame->GetRadioMode() : 0;
    for (const UnitControls& c : kUnitControls) {
        const auto index = static_cast<size_t>(c.unit);
        const bool present = units.present[index];
        ShowIcon(c.presence, UnitIcon(c.unit, present));
        ShowIcon(c.battery, BatteryIcon(c.unit, present, present ? batteries_[index] : 0));
        ShowIcon(c.radio, RadioIcon(present, radioMode));
        if (c.sensor != 0) {
            ShowIcon(c.sensor, SensorIcon(c.unit, units.sensor[index]));
        }
    }
    const auto [first, second] = PairSensorIcons(displayed_);
    ShowIcon(ctl3::kPairSensor1, first);
    ShowIcon(ctl3::kPairSensor2, second);
    start_->setEnabled(StartButtonEnabled(units, running_));
}

// --- Pairs, hints and what they show ----------------------------------------------------------

void CThreeStationForm::SelectPair(int32_t pairCode)
{
    displayed_ = pairCode;
    for (size_t i = 0; i < kPairButtons.size(); ++i) {
        pairButtons_[i]->setChecked(kPairButtons[i].code == pairCode);
    }
    doc_.SetSelectedPair(pairCode);
    const bool resultView = pairCode == ThreeStationMeasurement::kResultView;
    if (context_.frame != nullptr) {
        if (resultView) {
            context_.frame->EnableFiltersCommand(false);
        } else if (!running_) {
            context_.frame->EnableFiltersCommand(true);
        }
    }
    const auto [first, second] = PairSensorIcons(displayed_);
    ShowIcon(ctl3::kPairSensor1, first);
    ShowIcon(ctl3::kPairSensor2, second);
    ShowCutoffs();
    HandleHint(resultView ? kHintThreeStationCombinedResult : kHintThreeStationResult, false);
}

void CThreeStationForm::OnDocumentUpdate(uint32_t hint)
{
    HandleHint(hint, true);
}

void CThreeStationForm::HandleHint(uint32_t hint, bool fromDocument)
{
    switch (hint) {
    case kHintThreeStationResult:
        resultFlag_ = resultFlag_ || fromDocument;
        if (resultFlag_) {
            ShowPairResult();
        }
        break;
    case kHintThreeStationBlockSet:
        progress_->setValue(NextProgress(progress_->value()));
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
        SetText(ctl3::kDelay, {});
        SetText(ctl3::kQuality, {});
        break;
    case kHintMeasurementEnded:
        // No further block will come: the measurement ends here rather than stalling.
        if (running_) {
            Stop();
            const uint32_t reason = doc_.EndReason();
            context_.messages->ShowMessage(reason != 0 ? reason : str::kMeasurementStopped, kStyleExclamation);
        }
        break;
    default:
        break;
    }
}

void CThreeStationForm::ShowPairResult()
{
    if (displayed_ == ThreeStationMeasurement::kResultView) {
        ShowCombinedResult();
        return;
    }
    ShowChart(ThreeStationChartPainter::Trace(chart_->size(), doc_.TraceBuffer()));
    SetText(ctl3::kDelay, QString::fromStdString(PairDelayText(doc_.GetDelay(), context_.time)));
    SetText(ctl3::kQuality, QString::fromStdString(PairQualityText(doc_.GetQuality())));
    ComputeFromEngines(doc_.ThreeStation(), result_);
    ShowVelocity();
}

void CThreeStationForm::ShowCombinedResult()
{
    ComputeFromEngines(doc_.ThreeStation(), result_);
    const QSize size = chart_->size();
    ShowChart(ThreeStationChartPainter::Result(
        size, LayOutResultChart(size.width(), size.height(), result_, context_.units)));
    ShowVelocity();
}

void CThreeStationForm::ShowVelocity()
{
    const bool shown = resultFlag_ && result_.IsComputable();
    SetText(
        ctl3::kVelocity,
        shown ? QString::fromStdString(FormatVelocity(result_.Velocity(), context_.units, context_.time)) : QString());
}

void CThreeStationForm::ShowCutoffs()
{
    if (!setUp_ || displayed_ == ThreeStationMeasurement::kResultView) {
        SetText(ctl3::kLowCutoff, {});
        SetText(ctl3::kHighCutoff, {});
        return;
    }
    SetText(ctl3::kLowCutoff, QString::fromStdString(CutoffText(doc_.LowCutoff(), kCutoffFormat)));
    SetText(ctl3::kHighCutoff, QString::fromStdString(CutoffText(doc_.HighCutoff(), kCutoffFormat)));
}

void CThreeStationForm::ShowChart(const QImage& image)
{
    chartImage_ = image;
    chart_->setPixmap(QPixmap::fromImage(chartImage_));
}

void CThreeStationForm::ClearChart()
{
    ShowChart(ThreeStationChartPainter::Blank(chart_->size()));
}

}  // namespace korvanta::gui
