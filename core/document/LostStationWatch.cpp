#include "core/document/LostStationWatch.h"

#include "core/text/StringIds.h"

namespace korvanta {

namespace {

// Block statuses without a spectrum: no sensor (2, 3), the outstation did not answer (4).
constexpr uint8_t kStatusNoSensor = 2;
constexpr uint8_t kStatusSensorFault = 3;
constexpr uint8_t kStatusUnitSilent = 4;
constexpr uint8_t kEmptyBlocksBeforeEnd = 2;

constexpr std::array<uint32_t, CLinkState::kUnits> kNotAnswering = {str::kCommunicationError, str::kRedNotAnswering,
                                                                    str::kBlueNotAnswering, str::kYellowNotAnswering};
constexpr std::array<uint32_t, CLinkState::kUnits> kNoSensor = {str::kNoSensorInterface, str::kNoSensorRed,
                                                                str::kNoSensorBlue, str::kNoSensorYellow};

}  // namespace

uint32_t LostStationWatch::Note(const DataBlockRecord& block)
{
    if (block.unit >= emptyBlocks_.size()) {
        return 0;
    }
    const size_t unit = block.unit;
    const bool silent = block.status == kStatusUnitSilent;
    const bool noSensor = block.status == kStatusNoSensor || block.status == kStatusSensorFault;
    uint8_t& empty = emptyBlocks_[unit];
    empty = silent || noSensor ? static_cast<uint8_t>(empty + 1) : 0;
    if (empty < kEmptyBlocksBeforeEnd) {
        return 0;
    }
    return silent ? kNotAnswering[unit] : kNoSensor[unit];
}

}  // namespace korvanta
