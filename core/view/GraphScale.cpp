#include "core/view/GraphScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvanta {

namespace {

// A float column position as an int, without the undefined conversion of a value too large.
int TruncatedColumn(float position)
{
    constexpr float kLimit = 1.0e9f;
    if (!std::isfinite(position)) {
        return position > 0.0f ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    }
    return static_cast<int>(std::trunc(std::clamp(position, -kLimit, kLimit)));
}

}  // namespace

float GraphTimeSpan(uint32_t range)
{
    switch (range) {
    case 0:
        return 0.838861f;
    case 1:
        return 2.516583f;
    case 2:
        return 4.194305f;
    default:
        return 0.0f;
    }
}

GraphScale::GraphScale(int width, uint32_t range)
    : width_(std::max(width, 1)), columnSeconds_(GraphTimeSpan(range) / static_cast<float>(width_))
{
}

ColumnWindow GraphScale::PipeWindow(float travelTime) const
{
    if (columnSeconds_ <= 0.0f) {
        return WholeGraph();
    }
    const float halfWidth = travelTime / columnSeconds_;
    const float centre = static_cast<float>(CentreColumn());
    ColumnWindow window;
    window.left = std::max(0, TruncatedColumn(centre - halfWidth));
    window.right = std::min(width_ - 1, TruncatedColumn(centre + halfWidth));
    return window;
}

int GraphScale::ColumnForDelay(float delay) const
{
    if (columnSeconds_ <= 0.0f) {
        return CentreColumn();
    }
    return TruncatedColumn(delay / columnSeconds_ + static_cast<float>(CentreColumn()) + 0.5f);
}

}  // namespace korvanta
