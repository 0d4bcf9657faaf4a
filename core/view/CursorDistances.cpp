#include "core/view/CursorDistances.h"

#include <algorithm>
#include <cmath>

#include "core/pipe/LeakPosition.h"
#include "core/pipe/Pipe.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

int SliderPosition(float fromSensor1, float totalLength, int layoutWidth)
{
    if (!(totalLength > 0.0f) || layoutWidth <= 0) {
        return 0;
    }
    const float position = fromSensor1 / (totalLength / static_cast<float>(layoutWidth));
    if (!(position > 0.0f)) {
        return 0;
    }
    return std::min(layoutWidth, static_cast<int>(std::min(position, static_cast<float>(layoutWidth))));
}

}  // namespace

CursorDistances DescribeCursorDistances(const PipeSections& pipe, const CorrelationCursor& cursor, UnitSystem units,
                                        int layoutWidth)
{
    CursorDistances result;
    if (GetSectionCount(pipe) == 0) {
        return result;
    }
    const float totalLength = GetTotalLength(pipe);
    LeakPosition position;
    const ColumnWindow& limits = cursor.Limits();
    const int column = cursor.Column();
    const bool fromPipe = cursor.LimitsFromPipe();
    if (fromPipe && column == limits.left) {
        position = {0.0f, totalLength};
    } else if (fromPipe && column == limits.right) {
        position = {totalLength, 0.0f};
    } else if ((fromPipe && (column < limits.left || column > limits.right)) ||
               IsLeakOutsidePipe(pipe, cursor.Delay())) {
        const char* outside = LoadString(str::kOutsideRange);
        result.sensor1 = outside;
        result.sensor2 = outside;
        result.outsidePipe = true;
        const bool beyondSensor1 = fromPipe ? column < limits.left : cursor.Delay() < 0.0f;
        result.sliderPosition = beyondSensor1 ? 0 : std::max(layoutWidth, 0);
        return result;
    } else {
        position = ComputeLeakPosition(pipe, cursor.Delay());
    }
    result.sensor1 = FormatLeakDistance(position.fromStart, units);
    result.sensor2 = FormatLeakDistance(position.fromEnd, units);
    result.sliderPosition = SliderPosition(position.fromStart, totalLength, layoutWidth);
    return result;
}

}  // namespace korvanta
