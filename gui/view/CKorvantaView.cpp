#include "gui/view/CKorvantaView.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "core/app/CommandIds.h"
#include "core/document/CKorvantaDoc.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/CImagePicture.h"
#include "gui/view/CResultOutput.h"
#include "gui/view/CUnitStatusPictures.h"
#include "gui/view/CViewGraphs.h"
#include "gui/view/CorrelationGraphPainter.h"
#include "gui/view/TwoStationFormTemplate.h"
#include "gui/view/ViewArtwork.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace view101;
using Move = CorrelationDisplay::CursorMove;

// A read-only value field: sunken and white, as the form's edit-like texts are.
void MakeValueField(QLabel* label, Qt::Alignment alignment)
{
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->setAlignment(alignment);
    label->setContentsMargins(2, 0, 2, 0);
}

QIcon ButtonIcon(const char* path)
{
    return QIcon(ViewArtwork::Render(QString::fromLatin1(path), QSize(16, 16), 2.0));
}

}  // namespace

CKorvantaView::CKorvantaView(CKorvantaDoc& document, CLinkState& link, IViewHost& host, IMessageSink& messages,
                             IClock& clock, QPrinter& printer, QWidget* parent)
    : QWidget(parent),
      document_(document),
      model_(std::make_unique<TwoStationViewModel>(document, link, host, messages, clock))
{
    CreateControls();
    Connect();
    output_ = std::make_unique<CResultOutput>(document, *model_, messages, *this, *graph_, printer);
    document_.AddObserver(this);
    // The battery warnings run from the window's creation, the status poll from its first showing.
    batteryTimer_.start(kBatteryWarningMs);
}

CKorvantaView::~CKorvantaView()
{
    document_.RemoveObserver(this);
}

void CKorvantaView::CreateControls()
{
    const CTemplateControls controls(this, TwoStationFormTemplate());
    graph_ = controls.Get<CImagePicture>(kGraph);
    layoutStrip_ = controls.Get<CImagePicture>(kLayout);
    graphs_ = std::make_unique<CViewGraphs>(*graph_, *layoutStrip_);
    slider_ = controls.Get<QSlider>(kSlider);
    slider_->setTickPosition(QSlider::NoTicks);
    // It shows the position; the cursor moves it, the mouse does not.
    slider_->setAttribute(Qt::WA_TransparentForMouseEvents);
    slider_->setFocusPolicy(Qt::NoFocus);
    distance1_ = controls.Get<QLabel>(kDistance1);
    distance1_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    distance1_->setWordWrap(true);
    distance2_ = controls.Get<QLabel>(kDistance2);
    distance2_->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    distance2_->setWordWrap(true);
    verdict_ = controls.Get<QLabel>(kVerdict);
    verdict_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const auto tool = [&controls](int id, const char* icon) {
        auto* button = controls.Get<QToolButton>(id);
        button->setIcon(ButtonIcon(icon));
        return button;
    };
    leftLimit_ = tool(kLeftLimit, ":/view/cursor-left-limit.svg");
    stepLeft_ = tool(kStepLeft, ":/view/cursor-step-left.svg");
    toPeak_ = tool(kToPeak, ":/view/cursor-peak.svg");
    stepRight_ = tool(kStepRight, ":/view/cursor-step-right.svg");
    rightLimit_ = tool(kRightLimit, ":/view/cursor-right-limit.svg");
    zoomOut_ = tool(kZoomOut, ":/view/zoom-out.svg");
    zoomIn_ = tool(kZoomIn, ":/view/zoom-in.svg");
    setPoint_ = controls.Get<QPushButton>(kSetPoint);
    remove_ = controls.Get<QPushButton>(kRemove);
    const auto valueField = [&controls](int id, Qt::Alignment alignment) {
        auto* field = controls.Get<QLabel>(id);
        MakeValueField(field, alignment);
        return field;
    };
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    delay_ = valueField(kDelay, right);
    delayUnit_ = controls.Get<QLabel>(kDelayUnit);
    blockCount_ = valueField(kBlockCount, right);
    elapsed_ = valueField(kElapsed, right);
    activity_ = controls.Get<QProgressBar>(kActivity);
    activity_->setRange(0, MeasurementControl::kActivityMaximum);
    activity_->setTextVisible(false);
    lowCutoff_ = valueField(kLowCutoff, right);
    highCutoff_ = valueField(kHighCutoff, right);
    material_ = valueField(kMaterial, left);
    presets_ = controls.Get<QComboBox>(kPresets);
    fileName_ = valueField(kFileName, left);
    startStop_ = controls.Get<QPushButton>(kStartStop);
    startStop_->setEnabled(false);  // until the interface unit answers
    statusPictures_ = std::make_unique<CUnitStatusPictures>(controls);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void CKorvantaView::Connect()
{
    CorrelationDisplay& display = model_->Display();
    auto onClick = [this](QAbstractButton* button, auto action) {
        connect(button, &QAbstractButton::clicked, this, [this, action] { Act(action()); });
    };
    onClick(leftLimit_, [&display] { return display.MoveCursor(Move::LeftLimit); });
    onClick(stepLeft_, [&display] { return display.MoveCursor(Move::StepLeft); });
    onClick(stepRight_, [&display] { return display.MoveCursor(Move::StepRight); });
    onClick(rightLimit_, [&display] { return display.MoveCursor(Move::RightLimit); });
    onClick(toPeak_, [&display] { return display.CursorToPeak(); });
    onClick(zoomIn_, [&display] { return display.ZoomIn(); });
    onClick(zoomOut_, [&display] { return display.ZoomOut(); });
    onClick(setPoint_, [&display] { return display.PressDelimitationPoint(); });
    onClick(remove_, [&display] { return display.RemoveDelimitation(); });
    connect(startStop_, &QAbstractButton::clicked, this, &CKorvantaView::OnStartStop);
    connect(graph_, &CImagePicture::Clicked, this, &CKorvantaView::OnGraphClicked);
    connect(presets_, &QComboBox::activated, this, &CKorvantaView::OnPresetChosen);
    connect(&statusTimer_, &QTimer::timeout, this, &CKorvantaView::StatusPollTick);
    connect(&elapsedTimer_, &QTimer::timeout, this, &CKorvantaView::ElapsedTick);
    connect(&batteryTimer_, &QTimer::timeout, this, &CKorvantaView::BatteryWarningTick);
}

void CKorvantaView::InitialUpdate()
{
    setUpdatesEnabled(false);
    layout_.Apply(this, TwoStationFormTemplate());
    model_->Display().SetLayoutWidth(layoutStrip_->width());
    statusTimer_.start(kStatusPollMs);
    model_->InitialUpdate();
    Sync();
    setUpdatesEnabled(true);
}

// --- Commands, hints, ticks ------------------------------------------------------------------------

bool CKorvantaView::OnCommand(uint32_t id)
{
    if (CResultOutput::Handles(id)) {
        return output_->OnCommand(id);
    }
    CorrelationDisplay& display = model_->Display();
    switch (id) {
    case cmd::kUnitsMetric:
        display.SetLengthUnit(UnitSystem::Metric);
        break;
    case cmd::kUnitsImperial:
        display.SetLengthUnit(UnitSystem::Imperial);
        break;
    case cmd::kTimeSeconds:
        display.SetTimeUnit(TimeUnit::Seconds);
        break;
    case cmd::kTimeMilliseconds:
        display.SetTimeUnit(TimeUnit::Milliseconds);
        break;
    case cmd::kStopAndSuspend:
        model_->Control().StopAndSuspend();
        break;
    default:
        return false;
    }
    Sync();
    return true;
}

void CKorvantaView::OnUpdateCommand(uint32_t id, CommandUi& ui)
{
    const CorrelationDisplay& display = model_->Display();
    if (id == cmd::kUnitsMetric || id == cmd::kUnitsImperial || id == cmd::kTimeSeconds ||
        id == cmd::kTimeMilliseconds) {
        ui.enabled = true;
    }
    switch (id) {
    case cmd::kUnitsMetric:
        ui.checked = display.LengthUnit() == UnitSystem::Metric;
        break;
    case cmd::kUnitsImperial:
        ui.checked = display.LengthUnit() == UnitSystem::Imperial;
        break;
    case cmd::kTimeSeconds:
        ui.checked = display.TimeUnitShown() == TimeUnit::Seconds;
        break;
    case cmd::kTimeMilliseconds:
        ui.checked = display.TimeUnitShown() == TimeUnit::Milliseconds;
        break;
    default:
        break;
    }
}

void CKorvantaView::OnDocumentUpdate(uint32_t hint)
{
    model_->OnDocumentUpdate(hint);
    Sync();
}

void CKorvantaView::StatusPollTick()
{
    model_->Control().StatusPoll();
    Sync();
}

void CKorvantaView::ElapsedTick()
{
    model_->Control().ElapsedTick();
    elapsed_->setText(FromUtf8(model_->Control().ElapsedText()));
}

void CKorvantaView::BatteryWarningTick()
{
    model_->Control().BatteryWarningTick();
}

bool CKorvantaView::IsTimerActive(int timer) const
{
    switch (timer) {
    case 1:
        return statusTimer_.isActive();
    case 2:
        return elapsedTimer_.isActive();
    case 3:
        return batteryTimer_.isActive();
    default:
        return false;
    }
}

bool CKorvantaView::eventFilter(QObject* watched, QEvent* event)
{
    // The arrow keys move the cursor whichever control has the focus.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
            CorrelationDisplay& display = model_->Display();
            Act(display.MoveCursor(key->key() == Qt::Key_Left ? Move::StepLeft : Move::StepRight));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CKorvantaView::OnGraphClicked(QPoint point)
{
    const int offset = CorrelationGraphPainter::Offset(graph_->width(), model_->Display().GraphWidth());
    CorrelationDisplay& display = model_->Display();
    Act(display.ClickColumn(point.x() - offset));
}

void CKorvantaView::OnPresetChosen(int index)
{
    if (syncing_) {
        return;
    }
    model_->Display().SelectPreset(index);
    Sync();
}

void CKorvantaView::OnStartStop()
{
    if (settling_) {
        return;
    }
    MeasurementControl& control = model_->Control();
    const bool starting = !control.Running();
    control.StartStop();
    if (starting && control.Running()) {
        // The window took no input while it waited for the stations; what the user pressed then
        // comes now. A press of START in that time was the second half of a double-click and
        // belongs to the start, not a STOP: it is taken here and dropped.
        settling_ = true;
        QCoreApplication::processEvents();
        settling_ = false;
    }
    Sync();
}

void CKorvantaView::Act(bool changed)
{
    if (changed) {
        Sync();
    }
}

// --- Showing the model ----------------------------------------------------------------------------

const QImage& CKorvantaView::GraphImage() const
{
    return graph_->Image();
}

const QImage& CKorvantaView::LayoutImage() const
{
    return layoutStrip_->Image();
}

void CKorvantaView::Sync()
{
    syncing_ = true;
    SyncTexts();
    SyncButtons();
    SyncPresetList();
    statusPictures_->Show(model_->Control().Panel(), devicePixelRatioF());
    graphs_->Redraw(*model_, document_.TraceBuffer());
    const bool timing = model_->Control().ElapsedTimerRunning();
    if (timing && !elapsedTimer_.isActive()) {
        elapsedTimer_.start(kElapsedMs);
    } else if (!timing && elapsedTimer_.isActive()) {
        elapsedTimer_.stop();
    }
    syncing_ = false;
}

void CKorvantaView::SyncTexts()
{
    const CorrelationDisplay& display = model_->Display();
    distance1_->setText(FromUtf8(display.Distances().sensor1));
    distance2_->setText(FromUtf8(display.Distances().sensor2));
    delay_->setText(FromUtf8(display.DelayText()));
    delayUnit_->setText(StringText(TimeUnitLabel(display.TimeUnitShown())));
    blockCount_->setText(FromUtf8(display.BlockCountText()));
    elapsed_->setText(FromUtf8(model_->Control().ElapsedText()));
    lowCutoff_->setText(FromUtf8(display.Filters().low));
    highCutoff_->setText(FromUtf8(display.Filters().high));
    material_->setText(FromUtf8(display.MaterialText()));
    fileName_->setText(FromUtf8(display.FileName()));
    slider_->setRange(0, display.LayoutWidth());
    slider_->setValue(display.Distances().sliderPosition);
    SyncVerdict();
}

void CKorvantaView::SyncVerdict()
{
    const ResultVerdictDisplay& verdict = model_->Display().Verdict();
    const bool shown = !verdict.Empty();
    verdict_->setText(shown ? QString::fromUtf16(kVerdictBullet) + FromUtf8(verdict.line) : QString());
    verdict_->setStyleSheet(
        shown ? (verdict.tone == VerdictTone::Reliable ? kReliableVerdictStyle : kDoubtfulVerdictStyle) : "");
    verdict_->setToolTip(FromUtf8(verdict.details));
}

void CKorvantaView::SyncButtons()
{
    const MeasurementControl& control = model_->Control();
    const CorrelationDisplay& display = model_->Display();
    startStop_->setText(StringText(control.StartButtonText()));
    const bool startEnabled = control.StartButtonEnabled() || control.Running();
    if (startEnabled && !startStop_->isEnabled()) {
        // The link has come up: the space bar starts a measurement.
        startStop_->setEnabled(true);
        startStop_->setFocus();
    }
    startStop_->setEnabled(startEnabled);
    presets_->setEnabled(control.PresetListEnabled());
    activity_->setValue(control.ActivityPosition());
    leftLimit_->setEnabled(display.LimitButtonsEnabled());
    rightLimit_->setEnabled(display.LimitButtonsEnabled());
    const PeakDelimitation::ButtonStates delimitation = display.DelimitationButtons();
    setPoint_->setText(StringText(display.Delimitation().SetPointText()));
    setPoint_->setEnabled(delimitation.setPoint);
    remove_->setEnabled(delimitation.remove);
}

void CKorvantaView::SyncPresetList()
{
    const FilterPresetList& list = model_->Display().Presets();
    std::vector<uint32_t> texts;
    for (const FilterPresetList::Entry& entry : list.Entries()) {
        texts.push_back(entry.text);
    }
    if (texts != presetTexts_) {
        presets_->clear();
        for (uint32_t text : texts) {
            presets_->addItem(StringText(text));
        }
        presetTexts_ = texts;
    }
    presets_->setCurrentIndex(model_->Display().PresetSelection());
}

}  // namespace korvanta::gui
