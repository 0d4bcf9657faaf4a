#include "core/dialogs/StationPair.h"

namespace korvanta {

std::optional<StationPair> PairOfCode(uint32_t pairCode)
{
    switch (pairCode) {
    case 6:
        return StationPair{StationUnit::Red, StationUnit::Blue};
    case 10:
        return StationPair{StationUnit::Red, StationUnit::Yellow};
    case 12:
        return StationPair{StationUnit::Blue, StationUnit::Yellow};
    case 3:
        return StationPair{StationUnit::Red, StationUnit::Interface};
    case 5:
        return StationPair{StationUnit::Blue, StationUnit::Interface};
    case 9:
        return StationPair{StationUnit::Yellow, StationUnit::Interface};
    default:
        return std::nullopt;
    }
}

StationPair PipeEndStations(uint32_t pairCode)
{
    return PairOfCode(pairCode).value_or(StationPair{StationUnit::Red, StationUnit::Blue});
}

uint32_t StationColour(StationUnit unit)
{
    switch (unit) {
    case StationUnit::Red:
        return 0xFF0000;
    case StationUnit::Blue:
        return 0x0000FF;
    case StationUnit::Yellow:
        return 0xFFCC00;
    case StationUnit::Interface:
        break;
    }
    return 0x000000;
}

}  // namespace korvanta
