#include "core/view/CorrelationCursor.h"

#include <algorithm>

#include "core/pipe/UnitConversion.h"

namespace korvanta {

void CorrelationCursor::Reset(const GraphScale& scale)
{
    SetWholeGraphLimits(scale);
    previous_ = kNoPreviousColumn;
    onPeak_ = false;
}

void CorrelationCursor::SetWholeGraphLimits(const GraphScale& scale)
{
    limits_ = scale.WholeGraph();
    limitsFromPipe_ = false;
}

void CorrelationCursor::SetPipeLimits(const GraphScale& scale, float travelTime)
{
    limits_ = scale.PipeWindow(travelTime);
    limitsFromPipe_ = true;
}

void CorrelationCursor::PlaceOnPeak(float peakDelay, const GraphScale& scale)
{
    previous_ = column_;
    onPeak_ = true;
    delay_ = peakDelay;
    column_ = scale.ColumnForDelay(peakDelay);
}

void CorrelationCursor::Relocate(int column)
{
    previous_ = column_;
    column_ = column;
}

bool CorrelationCursor::StepLeft(const GraphScale& scale, unsigned zoom)
{
    if (column_ <= 0) {
        return false;
    }
    MoveTo(column_ - 1, scale, zoom);
    return true;
}

bool CorrelationCursor::StepRight(const GraphScale& scale, unsigned zoom)
{
    if (column_ >= scale.Width() - 1) {
        return false;
    }
    MoveTo(column_ + 1, scale, zoom);
    return true;
}

bool CorrelationCursor::ToLeftLimit(const GraphScale& scale, unsigned zoom)
{
    return ToColumn(limits_.left, scale, zoom);
}

bool CorrelationCursor::ToRightLimit(const GraphScale& scale, unsigned zoom)
{
    return ToColumn(limits_.right, scale, zoom);
}

bool CorrelationCursor::ToColumn(int column, const GraphScale& scale, unsigned zoom)
{
    if (!scale.Contains(column)) {
        return false;
    }
    MoveTo(column, scale, zoom);
    return true;
}

void CorrelationCursor::MoveTo(int column, const GraphScale& scale, unsigned zoom)
{
    previous_ = column_;
    onPeak_ = false;
    column_ = column;
    const float columns = static_cast<float>(column_ - previous_);
    delay_ += columns * scale.ColumnSeconds() / static_cast<float>(std::max(zoom, 1u));
}

std::string CorrelationCursor::DelayText(TimeUnit time) const
{
    return FormatDelay(delay_, time);
}

}  // namespace korvanta
