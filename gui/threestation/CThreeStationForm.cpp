#include "gui/threestation/CThreeStationForm.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "core/app/CommandIds.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/threestation/ThreeStationChart.h"
#include "gui/forms/FormControls.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/threestation/ThreeStationChartPainter.h"
#include "gui/threestation/ThreeStationFormTemplate.h"
#include "gui/threestation/ThreeStationIconPainter.h"

namespace korvanta::gui {

namespace {

constexpr int kProgressSteps = 5;

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
    int presence;
    int battery;
    int sensor;
    int radio;
};
constexpr std::array<UnitControls, 4> kUnitControls = {{
    {ctl3::kInterfaceUnit, ctl3::kInterfaceBattery, 0, ctl3::kInterfaceRadio},
    {ctl3::kRedUnit, ctl3::kRedBattery, ctl3::kRedSensor, ctl3::kRedRadio},
    {ctl3::kBlueUnit, ctl3::kBlueBattery, ctl3::kBlueSensor, ctl3::kBlueRadio},
    {ctl3::kYellowUnit, ctl3::kYellowBattery, ctl3::kYellowSensor, ctl3::kYellowRadio},
}};

constexpr std::array<int, kThreeStationPairs> kVerdictControls = {ctl3::kRedBlueVerdict, ctl3::kBlueYellowVerdict,
                                                                  ctl3::kRedYellowVerdict};
// A reliable pair reads green, a doubtful one amber, at a glance.

}  // namespace

// --- The frame as the model sees it -----------------------------------------------------------

void CThreeStationForm::FrameHost::EnableAllMenus(bool enable)
{
    if (context_.frame != nullptr) {
        context_.frame->EnableAllMenus(enable);
    }
}

void CThreeStationForm::FrameHost::EnableFiltersCommand(bool enable)
{
    if (context_.frame != nullptr) {
        context_.frame->EnableFiltersCommand(enable);
    }
}

int CThreeStationForm::FrameHost::GetRadioMode() const
{
    return context_.frame != nullptr ? context_.frame->GetRadioMode() : 0;
}

std::optional<ThreeStationSetup> CThreeStationForm::FrameHost::RunSetup()
{
    return context_.runSetup ? context_.runSetup() : std::nullopt;
}

void CThreeStationForm::FrameHost::SetupApplied(float redBlue, float blueYellow)
{
    if (context_.setupApplied) {
        context_.setupApplied(redBlue, blueYellow);
    }
}

void CThreeStationForm::FrameHost::ShowLinkActivity(LinkActivity activity, unsigned blockSets)
{
    if (context_.frame != nullptr) {
        context_.frame->ShowLinkActivity(activity, blockSets);
    }
}

// --- The form ---------------------------------------------------------------------------------

CThreeStationForm::CThreeStationForm(ThreeStationFormContext context, QWidget* parent)
    : QWidget(parent),
      context_(std::move(context)),
      doc_(*context_.document),
      host_(context_),
      model_(doc_, *context_.link, host_, *context_.messages, *context_.clock, context_.units, context_.time,
             context_.sensorMaskBefore)
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
    SetText(ctl3::kDelayUnit, StringText(TimeUnitLabel(context_.time)));
    SetText(ctl3::kVelocityUnit, StringText(VelocityUnitLabel(context_.units, context_.time)));
    model_.InitialUpdate();
    ShowModel();
}

CThreeStationForm::~CThreeStationForm()
{
    statusTimer_.stop();
    timeTimer_.stop();
    doc_.RemoveObserver(this);
    // The model selects the sensors of before as it goes. The menus are given back by whoever
    // takes the form away: the frame may be going as well.
}

void CThreeStationForm::BuildControls()
{
    const CTemplateControls controls(this, ThreeStationFormTemplate());
    // A static control paints its own rectangle: a group's line does not run through it.
    for (const DialogItemTemplate& item : ThreeStationFormTemplate().items) {
        if (auto* label = controls.Get<QLabel>(item.id))
            label->setAutoFillBackground(true);
    }
    chart_ = controls.Get<QLabel>(ctl3::kChart);
    chart_->setFrameShape(QFrame::Box);
    start_ = controls.Get<QPushButton>(ctl3::kStart);
    connect(start_, &QPushButton::clicked, this, &CThreeStationForm::StartOrStop);
    progress_ = controls.Get<QProgressBar>(ctl3::kProgress);
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    for (size_t i = 0; i < kPairButtons.size(); ++i) {
        auto* button = controls.Get<QRadioButton>(kPairButtons[i].control);
        button->setAutoExclusive(false);  // the form checks and unchecks them itself
        const int32_t code = kPairButtons[i].code;
        connect(button, &QRadioButton::clicked, this, [this, code] { SelectPair(code); });
        pairButtons_[i] = button;
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

void CThreeStationForm::ShowModel()
{
    start_->setText(StringText(model_.StartButtonText()));
    start_->setEnabled(model_.StartButtonEnabled());
    progress_->setValue(model_.Progress());
    if (model_.MeasuringTimerRunning() != timeTimer_.isActive()) {
        if (model_.MeasuringTimerRunning()) {
            timeTimer_.start();
        } else {
            timeTimer_.stop();
        }
    }
    for (size_t i = 0; i < kPairButtons.size(); ++i) {
        pairButtons_[i]->setChecked(kPairButtons[i].code == model_.DisplayedPair());
    }
    SetText(ctl3::kDelay, FromUtf8(model_.DelayText()));
    SetText(ctl3::kQuality, FromUtf8(model_.QualityText()));
    SetText(ctl3::kMeasuringTime, QString::fromLatin1(model_.MeasuringTimeText().c_str()));
    SetText(ctl3::kVelocity, FromUtf8(model_.VelocityText()));
    SetText(ctl3::kLowCutoff, FromUtf8(model_.LowCutoffText()));
    SetText(ctl3::kHighCutoff, FromUtf8(model_.HighCutoffText()));
    for (size_t unit = 0; unit < kUnitControls.size(); ++unit) {
        const UnitControls& c = kUnitControls[unit];
        const ThreeStationUnitIcons& icons = model_.UnitIcons()[unit];
        ShowIcon(c.presence, icons.presence);
        ShowIcon(c.battery, icons.battery);
        ShowIcon(c.radio, icons.radio);
        if (c.sensor != 0) {
            ShowIcon(c.sensor, icons.sensor);
        }
    }
    for (size_t i = 0; i < kVerdictControls.size(); ++i) {
        ShowPairVerdict(kVerdictControls[i], model_.PairVerdicts()[i]);
    }
    const auto [first, second] = model_.PairIcons();
    ShowIcon(ctl3::kPairSensor1, first);
    ShowIcon(ctl3::kPairSensor2, second);
    if (model_.ChartRevision() != chartRevisionShown_) {
        chartRevisionShown_ = model_.ChartRevision();
        ShowChart();
    }
}

void CThreeStationForm::ShowPairVerdict(int control, const PairVerdict& verdict)
{
    QLabel* label = Label(control);
    if (label == nullptr) {
        return;
    }
    label->setText(verdict.assessed ? QString::fromUtf16(kVerdictBullet) + FromUtf8(verdict.line) : QString());
    label->setStyleSheet(verdict.assessed ? (verdict.reliable ? kReliableVerdictStyle : kDoubtfulVerdictStyle) : "");
    label->setToolTip(FromUtf8(verdict.details));
}

void CThreeStationForm::ShowChart()
{
    const QSize size = chart_->size();
    switch (model_.ChartShown()) {
    case ThreeStationViewModel::Chart::Blank:
        chartImage_ = ThreeStationChartPainter::Blank(size);
        break;
    case ThreeStationViewModel::Chart::PairTrace:
        chartImage_ = ThreeStationChartPainter::Trace(size, doc_.TraceBuffer());
        break;
    case ThreeStationViewModel::Chart::Result:
        chartImage_ = ThreeStationChartPainter::Result(
            size, LayOutResultChart(size.width(), size.height(), model_.Result(), context_.units));
        break;
    }
    chart_->setPixmap(QPixmap::fromImage(chartImage_));
}

// --- Commands ---------------------------------------------------------------------------------

bool CThreeStationForm::OnCommand(uint32_t id)
{
    switch (id) {
    case cmd::kTwoStationMode:
        if (model_.CanLeave() && context_.leave) {
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
        ui.enabled = model_.SaveEnabled();
    }
    if (id == cmd::kThreeStationMode || id == cmd::kTwoStationMode) {
        ui.checked = id == cmd::kThreeStationMode;
    }
}

void CThreeStationForm::NewResult()
{
    model_.NewResult();
    ShowModel();
    if (context_.frame != nullptr) {
        context_.frame->SetDocumentTitle(StringText(str::kUntitledDocument));
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
    if (!model_.HasResult()) {
        return;
    }
    const QString path = context_.askFileName ? context_.askFileName(true) : QString();
    if (path.isEmpty()) {
        return;
    }
    SaveFile(FromPath(ThreeStationViewModel::WithKv3Suffix(ToPath(path))));
}

bool CThreeStationForm::OpenFile(const QString& path)
{
    const bool opened = model_.OpenFile(ToPath(path));
    ShowModel();
    if (opened && context_.frame != nullptr) {
        context_.frame->SetDocumentTitle(QFileInfo(path).fileName());
    }
    return opened;
}

bool CThreeStationForm::SaveFile(const QString& path)
{
    if (!model_.SaveFile(ToPath(path))) {
        return false;
    }
    if (context_.frame != nullptr) {
        context_.frame->SetDocumentTitle(QFileInfo(path).fileName());
    }
    return true;
}

// --- Measurement, status and hints ------------------------------------------------------------

void CThreeStationForm::StartOrStop()
{
    model_.StartOrStop();
    ShowModel();
}

void CThreeStationForm::RefreshMeasuringTime()
{
    model_.MeasuringTimeTick();
    ShowModel();
}

void CThreeStationForm::RefreshStatus()
{
    model_.StatusPoll();
    ShowModel();
}

void CThreeStationForm::SelectPair(int32_t pairCode)
{
    model_.SelectPair(pairCode);
    ShowModel();
}

void CThreeStationForm::OnDocumentUpdate(uint32_t hint)
{
    model_.OnDocumentUpdate(hint);
    ShowModel();
}

}  // namespace korvanta::gui
