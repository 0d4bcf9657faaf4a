#pragma once

#include <string>

#include "core/values/UnitSystem.h"
#include "core/view/GraphScale.h"

namespace korvanta {

// The cursor of the correlation graph: its column, the delay it stands for and the window of
// columns that lie inside the pipe. Moves other than "to the peak" carry the delay along by the
// columns moved, divided by the zoom factor.
class CorrelationCursor {
public:
    // Lies outside any graph, so nothing is repainted for it.
    static constexpr int kNoPreviousColumn = 650;

    enum class Colour { Inside, Outside };

    // Back to the state after construction: limits over the whole graph, no previous column.
    void Reset(const GraphScale& scale);

    int Column() const { return column_; }
    int PreviousColumn() const { return previous_; }
    float Delay() const { return delay_; }
    bool OnPeak() const { return onPeak_; }
    const ColumnWindow& Limits() const { return limits_; }
    // True when the limits are the pipe's window rather than the whole graph.
    bool LimitsFromPipe() const { return limitsFromPipe_; }

    void SetWholeGraphLimits(const GraphScale& scale);
    void SetPipeLimits(const GraphScale& scale, float travelTime);

    // Puts the cursor on the peak's delay.
    void PlaceOnPeak(float peakDelay, const GraphScale& scale);
    // The point under the cursor now lies at `column` (after a zoom step); the delay stays.
    void Relocate(int column);

    // The moves of the buttons, keys and mouse; each returns false and changes nothing when the
    // cursor cannot move that way.
    bool StepLeft(const GraphScale& scale, unsigned zoom);
    bool StepRight(const GraphScale& scale, unsigned zoom);
    bool ToLeftLimit(const GraphScale& scale, unsigned zoom);
    bool ToRightLimit(const GraphScale& scale, unsigned zoom);
    bool ToColumn(int column, const GraphScale& scale, unsigned zoom);

    bool InsideLimits() const { return column_ >= limits_.left && column_ <= limits_.right; }
    std::string DelayText(TimeUnit time) const;

private:
    void MoveTo(int column, const GraphScale& scale, unsigned zoom);

    int column_ = 0;
    int previous_ = kNoPreviousColumn;
    float delay_ = 0.0f;
    bool onPeak_ = false;
    ColumnWindow limits_{};
    bool limitsFromPipe_ = false;
};

}  // namespace korvanta
