#include "core/pipe/LeakPosition.h"

#include <cmath>

#include "core/pipe/Pipe.h"

namespace korvanta {

namespace {

// The section's velocity, or 0 when it is not a usable positive number.
float UsableVelocity(const PipeSection& section)
{
    return section.velocity > 0.0f && std::isfinite(section.velocity) ? section.velocity : 0.0f;
}

float SectionTravelTime(const PipeSection& section)
{
    const float velocity = UsableVelocity(section);
    if (velocity == 0.0f) {
        return 0.0f;
    }
    const float time = section.length / velocity;
    return std::isfinite(time) ? time : 0.0f;
}

}  // namespace

bool IsLeakOutsidePipe(const PipeSections& pipe, float delay)
{
    const float travelTime = GetTravelTime(pipe);
    return travelTime > 0.0f && travelTime <= std::fabs(delay);
}

LeakPosition ComputeLeakPosition(const PipeSections& pipe, float delay)
{
    LeakPosition position;
    const float totalLength = GetTotalLength(pipe);
    if (totalLength < 0.01f) {
        position.fromStart = 0.0f;
    } else {
        const float travelTime = GetTravelTime(pipe);
        const float t = (travelTime + delay) * 0.5f;  // travel time from the start sensor to the leak
        const int count = GetSectionCount(pipe);
        int section = 0;
        float timeBefore = 0.0f;
        float lengthBefore = 0.0f;
        if (t >= 0.0f) {
            float sum = 0.0f;
            for (int i = 0; i < count; ++i) {
                section = i;
                const float next = sum + SectionTravelTime(pipe[i]);
                if (next > t || i == count - 1) {
                    timeBefore = sum;
                    break;
                }
                sum = next;
                lengthBefore += pipe[i].length;
            }
        }
        position.fromStart = (t - timeBefore) * UsableVelocity(pipe[section]) + lengthBefore;
    }
    position.fromEnd = totalLength - position.fromStart;
    if (position.fromStart < 0.0f) {
        position.fromStart = 0.0f;
    }
    if (position.fromEnd < 0.0f) {
        position.fromEnd = 0.0f;
    } else if (position.fromEnd > totalLength) {
        position.fromEnd = totalLength;
    }
    return position;
}

}  // namespace korvanta
