#include "core/view/PeakDelimitation.h"

#include <utility>

#include "core/text/StringIds.h"

namespace korvanta {

std::optional<PeakDelimitation::Stretch> PeakDelimitation::Press(int cursorColumn)
{
    if (!started_) {
        stretch_.start = cursorColumn;
        started_ = true;
        return std::nullopt;
    }
    stretch_.end = cursorColumn;
    if (stretch_.end < stretch_.start) {
        std::swap(stretch_.start, stretch_.end);
    }
    started_ = false;
    set_ = true;
    return stretch_;
}

bool PeakDelimitation::Remove()
{
    // A start point on column 0 is still a point to remove.
    if (!started_ && !set_ && stretch_.start == 0 && stretch_.end == 0) {
        return false;
    }
    Clear();
    return true;
}

void PeakDelimitation::Clear()
{
    stretch_ = {};
    started_ = false;
    set_ = false;
}

std::optional<int> PeakDelimitation::PendingStart() const
{
    if (!started_) {
        return std::nullopt;
    }
    return stretch_.start;
}

uint32_t PeakDelimitation::SetPointText() const
{
    return started_ ? str::kSetEndPoint : str::kSetStartPoint;
}

PeakDelimitation::ButtonStates PeakDelimitation::Buttons(bool allowed) const
{
    if (!allowed) {
        return {};
    }
    if (set_) {
        return {false, true};
    }
    return {true, started_};
}

}  // namespace korvanta
