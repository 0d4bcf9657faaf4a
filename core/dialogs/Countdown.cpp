#include "core/dialogs/Countdown.h"

#include <algorithm>

namespace korvanta {

int Countdown::Position() const
{
    return std::clamp(secondsLeft_, 0, kRangeTop);
}

bool Countdown::Tick()
{
    if (secondsLeft_ >= 0)
        --secondsLeft_;
    return secondsLeft_ < 0;
}

}  // namespace korvanta
