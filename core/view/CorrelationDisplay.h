#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/host/IMessageSink.h"
#include "core/values/UnitSystem.h"
#include "core/view/CorrelationCursor.h"
#include "core/view/CursorDistances.h"
#include "core/view/FilterPresetList.h"
#include "core/view/FilterSummary.h"
#include "core/view/GraphScale.h"
#include "core/view/PeakDelimitation.h"
#include "core/view/PipeLayoutStrip.h"
#include "core/view/ResultVerdictDisplay.h"

namespace korvanta {

class CKorvantaDoc;
class IViewHost;

// The result side of the two-station view: the graph's cursor, zoom and peak delimitation, the
// distances, the pipe strip and the filter fields, and how each document hint changes them. The
// window draws what this holds; it decides nothing itself.
class CorrelationDisplay {
public:
    // The layout strip's width in pixels when the window has not said otherwise.
    static constexpr int kDefaultLayoutWidth = 625;

    enum class CursorMove { LeftLimit, StepLeft, StepRight, RightLimit };

    CorrelationDisplay(CKorvantaDoc& document, IViewHost& host, IMessageSink& messages);

    void SetLayoutWidth(int width);
    int LayoutWidth() const { return layoutWidth_; }
    int GraphWidth() const { return scale_.Width(); }

    // --- Reactions to the document (hints) ------------------------------------------------------
    void ResetResultDisplay();
    void ShowNewResult();    // hint 100, and a stop with a result
    void RefreshResult();    // hint 106 and others
    void PipeChanged();      // hint 102
    void DocumentLoaded();   // hint 103
    void DocumentCleared();  // hint 105
    void FiltersChanged();   // hint 107
    void PathChanged();      // hint 108
    void MeasurementStarted();
    void MeasurementStopped();  // the document's stop has run

    // --- The user's commands; each returns true when something on show changed ---------------
    bool MoveCursor(CursorMove move);
    bool ClickColumn(int column);
    bool CursorToPeak();
    bool ZoomIn();
    bool ZoomOut();
    bool PressDelimitationPoint();
    bool RemoveDelimitation();
    void SelectPreset(int index);
    bool SetLengthUnit(UnitSystem units);
    bool SetTimeUnit(TimeUnit time);

    // --- What the window shows --------------------------------------------------------------------
    bool GraphShown() const { return graphShown_; }
    const CorrelationCursor& Cursor() const { return cursor_; }
    // The cursor column is drawn in the "outside" colour.
    bool CursorOutside() const;
    unsigned Zoom() const { return zoom_; }
    const PeakDelimitation& Delimitation() const { return delimitation_; }
    PeakDelimitation::ButtonStates DelimitationButtons() const;
    bool LimitButtonsEnabled() const { return limitButtonsEnabled_; }
    const CursorDistances& Distances() const { return distances_; }
    const std::string& DelayText() const { return delayText_; }
    const std::string& BlockCountText() const { return blockCountText_; }
    // How sure the result is; empty without one.
    const ResultVerdictDisplay& Verdict() const { return verdict_; }
    // The further peaks' columns; none while zoomed, where the graph's columns mean other delays.
    std::vector<int> CandidateColumns() const;
    const std::vector<StripBand>& LayoutBands() const { return layoutBands_; }
    const std::string& MaterialText() const { return materialText_; }
    const FilterSummary& Filters() const { return filterSummary_; }
    const FilterPresetList& Presets() const { return presets_; }
    int PresetSelection() const { return presetSelection_; }
    const std::string& FileName() const { return fileName_; }
    UnitSystem LengthUnit() const { return lengthUnit_; }
    TimeUnit TimeUnitShown() const { return timeUnit_; }

private:
    bool CursorMovesAllowed() const;
    void UpdateScale();
    void RedrawGraph();
    void PlaceCursorOnPeak();
    void ReturnToZoomOne();
    void SetEngineZoom(uint32_t factor);
    void RefreshDistances();
    void AssessResult();
    void DrawLayout();
    void FillPresetList();
    void RefreshFilterSummary();
    void ForgetDelimitation();

    CKorvantaDoc& document_;
    IViewHost& host_;
    IMessageSink& messages_;

    GraphScale scale_;
    CorrelationCursor cursor_;
    unsigned zoom_ = 1;
    PeakDelimitation delimitation_;
    bool graphShown_ = false;
    bool limitButtonsEnabled_ = true;
    int layoutWidth_ = kDefaultLayoutWidth;

    CursorDistances distances_;
    std::string delayText_;
    std::string blockCountText_;
    ResultVerdictDisplay verdict_;
    std::vector<StripBand> layoutBands_;
    std::string materialText_;
    FilterSummary filterSummary_;
    FilterPresetList presets_;
    int presetSelection_ = FilterPresetList::kUserIndex;
    std::string fileName_;
    UnitSystem lengthUnit_;
    TimeUnit timeUnit_;
};

}  // namespace korvanta
