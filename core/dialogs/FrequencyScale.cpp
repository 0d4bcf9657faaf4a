#include "core/dialogs/FrequencyScale.h"

namespace korvanta {

namespace {

// Truncates into [low, high]; NaN gives `low`. A value from a damaged file may be of any size,
// and converting such a float to int would be undefined.
int TruncateInto(float value, int low, int high)
{
    if (!(value >= static_cast<float>(low)))
        return low;
    if (value >= static_cast<float>(high))
        return high;
    return static_cast<int>(value);
}

}  // namespace

int FrequencyScale::PositionToHz(int position)
{
    return position * kTopHz / kLastPosition;
}

int FrequencyScale::SliderPosition(float hz)
{
    return TruncateInto(hz * kPositionsPerHz, 0, kLastPosition);
}

int FrequencyScale::EdgeColumn(float hz)
{
    // Far enough either side of the graph that no column compares differently.
    return TruncateInto(hz * kPositionsPerHz + 0.5f, -1, 4096);
}

}  // namespace korvanta
