#include "core/view/CorrelationDisplay.h"

#include <algorithm>
#include <cmath>

#include "core/document/CKorvantaDoc.h"
#include "core/document/DocumentFileName.h"
#include "core/document/DocumentGeometry.h"
#include "core/document/DocumentHints.h"
#include "core/host/IViewHost.h"
#include "core/result/ResultTexts.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

uint32_t EngineColumn(int column)
{
    return static_cast<uint32_t>(std::clamp(column, 0, static_cast<int>(kTraceWidth) - 1));
}

}  // namespace

CorrelationDisplay::CorrelationDisplay(CKorvantaDoc& document, IViewHost& host, IMessageSink& messages)
    : document_(document),
      host_(host),
      messages_(messages),
      scale_(static_cast<int>(kTraceWidth), document.CorrelationRange()),
      lengthUnit_(document.Settings().GetUnitSystem()),
      timeUnit_(document.Settings().GetTimeUnit())
{
    cursor_.Reset(scale_);
}

void CorrelationDisplay::SetLayoutWidth(int width)
{
    layoutWidth_ = std::max(width, 1);
}

// --- Reactions to the document ------------------------------------------------------------------

void CorrelationDisplay::ResetResultDisplay()
{
    UpdateScale();
    graphShown_ = false;
    distances_ = {};
    delayText_.clear();
    blockCountText_.clear();
    verdict_ = {};
    SetEngineZoom(1);
    cursor_.Reset(scale_);
    limitButtonsEnabled_ = true;
}

void CorrelationDisplay::ShowNewResult()
{
    RedrawGraph();
    PlaceCursorOnPeak();
    RefreshDistances();
    AssessResult();
    blockCountText_ = korvanta::BlockCountText(document_.PairTotal());
}

void CorrelationDisplay::RefreshResult()
{
    if (!document_.IsResultValid()) {
        return;
    }
    document_.Recompute();
    ShowNewResult();
}

void CorrelationDisplay::PipeChanged()
{
    ReturnToZoomOne();
    const bool sections = document_.Pipe().SectionCount() > 0;
    if (sections) {
        DrawLayout();
    } else {
        layoutBands_.clear();
        distances_ = {};
        UpdateScale();
        cursor_.SetWholeGraphLimits(scale_);
    }
    RefreshResult();
    materialText_ = korvanta::MaterialText(document_.Record().pipe, document_.Materials());
    FillPresetList();
    if (sections) {
        presetSelection_ = FilterPresetList::kStandardIndex;
    }
    RefreshFilterSummary();
}

void CorrelationDisplay::DocumentLoaded()
{
    ResetResultDisplay();
    ForgetDelimitation();
    DrawLayout();
    RefreshResult();
    RefreshFilterSummary();
    PathChanged();
    host_.EnableVelocityCommand(document_.Pipe().SectionCount() == 1);
    materialText_ = korvanta::MaterialText(document_.Record().pipe, document_.Materials());
    FillPresetList();
}

void CorrelationDisplay::DocumentCleared()
{
    ResetResultDisplay();
    ForgetDelimitation();
    layoutBands_.clear();
    RefreshFilterSummary();
    fileName_.clear();
    host_.EnableVelocityCommand(false);
    materialText_ = korvanta::MaterialText(document_.Record().pipe, document_.Materials());
    FillPresetList();
}

void CorrelationDisplay::FiltersChanged()
{
    if (document_.IsResultValid()) {
        ReturnToZoomOne();
        RefreshResult();
    }
    RefreshFilterSummary();
    presetSelection_ = FilterPresetList::kUserIndex;
}

void CorrelationDisplay::PathChanged()
{
    fileName_ = DocumentFileName(document_.Path());
}

void CorrelationDisplay::MeasurementStarted()
{
    ResetResultDisplay();
}

void CorrelationDisplay::MeasurementStopped()
{
    if (document_.UpdateCounter() >= 2 && document_.Pipe().SectionCount() >= 1) {
        RedrawGraph();
        PlaceCursorOnPeak();
        RefreshDistances();
        AssessResult();
    }
}

// --- The user's commands ---------------------------------------------------------------------------

bool CorrelationDisplay::CursorMovesAllowed() const
{
    return document_.IsResultValid() && !document_.IsMeasuring();
}

bool CorrelationDisplay::MoveCursor(CursorMove move)
{
    if (!CursorMovesAllowed()) {
        return false;
    }
    bool moved = false;
    switch (move) {
    case CursorMove::LeftLimit:
        moved = cursor_.ToLeftLimit(scale_, zoom_);
        break;
    case CursorMove::StepLeft:
        moved = cursor_.StepLeft(scale_, zoom_);
        break;
    case CursorMove::StepRight:
        moved = cursor_.StepRight(scale_, zoom_);
        break;
    case CursorMove::RightLimit:
        moved = cursor_.ToRightLimit(scale_, zoom_);
        break;
    }
    if (moved) {
        delayText_ = cursor_.DelayText(timeUnit_);
        RefreshDistances();
    }
    return moved;
}

bool CorrelationDisplay::ClickColumn(int column)
{
    if (!CursorMovesAllowed() || !cursor_.ToColumn(column, scale_, zoom_)) {
        return false;
    }
    delayText_ = cursor_.DelayText(timeUnit_);
    RefreshDistances();
    return true;
}

bool CorrelationDisplay::CursorToPeak()
{
    if (!CursorMovesAllowed()) {
        return false;
    }
    const float travelTime = document_.Pipe().TravelTime();
    if (travelTime > 0.0f && travelTime <= std::fabs(document_.GetDelay())) {
        messages_.ShowMessage(str::kLeakOutsideRange, kStyleExclamation);
        return false;
    }
    if (zoom_ > 1) {
        ReturnToZoomOne();
        document_.Recompute();
        RedrawGraph();
    }
    PlaceCursorOnPeak();
    RefreshDistances();
    return true;
}

bool CorrelationDisplay::ZoomIn()
{
    if (!CursorMovesAllowed() || delimitation_.Started()) {
        return false;
    }
    const uint32_t requested = zoom_ + 1;
    if (!document_.CanZoom(requested)) {
        return false;
    }
    SetEngineZoom(requested);
    cursor_.SetWholeGraphLimits(scale_);
    limitButtonsEnabled_ = false;
    document_.Recompute();
    RedrawGraph();
    return true;
}

bool CorrelationDisplay::ZoomOut()
{
    if (!CursorMovesAllowed() || zoom_ < 2) {
        return false;
    }
    SetEngineZoom(1);
    document_.Recompute();
    RedrawGraph();
    PlaceCursorOnPeak();
    RefreshDistances();
    limitButtonsEnabled_ = true;
    return true;
}

bool CorrelationDisplay::PressDelimitationPoint()
{
    if (!DelimitationButtons().setPoint) {
        return false;
    }
    const std::optional<PeakDelimitation::Stretch> stretch = delimitation_.Press(cursor_.Column());
    if (stretch) {
        document_.SetBlanking(EngineColumn(stretch->start), EngineColumn(stretch->end));
        document_.UpdateAllViews(kHintBlankingChanged);
    }
    return true;
}

bool CorrelationDisplay::RemoveDelimitation()
{
    if (!DelimitationButtons().remove || !delimitation_.Remove()) {
        return false;
    }
    document_.SetBlanking(0, 0);
    document_.UpdateAllViews(kHintBlankingChanged);
    return true;
}

void CorrelationDisplay::SelectPreset(int index)
{
    if (!presets_.Apply(index, document_)) {
        return;
    }
    presetSelection_ = index;
    if (document_.IsResultValid()) {
        ReturnToZoomOne();
        RefreshResult();
    }
    RefreshFilterSummary();
}

bool CorrelationDisplay::SetLengthUnit(UnitSystem units)
{
    lengthUnit_ = units;
    host_.SetUnitSystem(units);
    if (graphShown_) {
        RefreshDistances();
        // A zoomed engine holds a stretch of the correlation, not the result to judge.
        if (zoom_ == 1) {
            AssessResult();
        }
    }
    return true;
}

bool CorrelationDisplay::SetTimeUnit(TimeUnit time)
{
    if (time == timeUnit_) {
        return false;
    }
    timeUnit_ = time;
    host_.SetTimeUnit(time);
    if (!delayText_.empty()) {
        delayText_ = cursor_.DelayText(timeUnit_);
    }
    return true;
}

// --- What the window shows --------------------------------------------------------------------------

bool CorrelationDisplay::CursorOutside() const
{
    return !cursor_.InsideLimits() || distances_.outsidePipe;
}

std::vector<int> CorrelationDisplay::CandidateColumns() const
{
    return zoom_ == 1 ? verdict_.candidateColumns : std::vector<int>{};
}

PeakDelimitation::ButtonStates CorrelationDisplay::DelimitationButtons() const
{
    return delimitation_.Buttons(CursorMovesAllowed() && zoom_ == 1);
}

// --- Helpers -------------------------------------------------------------------------------------------

void CorrelationDisplay::UpdateScale()
{
    scale_ = GraphScale(static_cast<int>(kTraceWidth), document_.CorrelationRange());
}

void CorrelationDisplay::RedrawGraph()
{
    UpdateScale();
    if (document_.Pipe().SectionCount() > 0 && zoom_ == 1) {
        cursor_.SetPipeLimits(scale_, document_.Pipe().TravelTime());
    } else {
        cursor_.SetWholeGraphLimits(scale_);
    }
    graphShown_ = true;
}

void CorrelationDisplay::PlaceCursorOnPeak()
{
    cursor_.PlaceOnPeak(document_.GetDelay(), scale_);
    delayText_ = cursor_.DelayText(timeUnit_);
}

void CorrelationDisplay::ReturnToZoomOne()
{
    if (zoom_ > 1) {
        SetEngineZoom(1);
        limitButtonsEnabled_ = true;
    }
}

void CorrelationDisplay::SetEngineZoom(uint32_t factor)
{
    uint32_t column = EngineColumn(cursor_.Column());
    zoom_ = document_.SetZoom(column, factor);
    cursor_.Relocate(static_cast<int>(column));
}

void CorrelationDisplay::RefreshDistances()
{
    distances_ = DescribeCursorDistances(document_.Record().pipe, cursor_, lengthUnit_, layoutWidth_);
}

void CorrelationDisplay::AssessResult()
{
    if (document_.IsThreeStationMode()) {
        verdict_ = {};
        return;
    }
    verdict_ = DescribeResultVerdict(document_.Engine(), document_.Record().pipe, &document_.Materials(), lengthUnit_,
                                     scale_);
}

void CorrelationDisplay::DrawLayout()
{
    layoutBands_ = LayOutPipeStrip(document_.Record().pipe, layoutWidth_);
    if (layoutBands_.empty()) {
        distances_.sliderPosition = 0;
    }
}

void CorrelationDisplay::FillPresetList()
{
    presets_.Fill(document_.Record().pipe, document_.Presets(), document_.Record().filters);
    presetSelection_ = presets_.InitialSelection();
}

void CorrelationDisplay::RefreshFilterSummary()
{
    filterSummary_ = SummariseFilters(document_.Filters().LowCutoff(), document_.Filters().HighCutoff(),
                                      document_.Filters().Automatic(), document_.Filters().NotchCount());
}

void CorrelationDisplay::ForgetDelimitation()
{
    delimitation_.Clear();
    document_.SetBlanking(0, 0);
}

}  // namespace korvanta
