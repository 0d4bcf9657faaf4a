#include "core/record/MeasurementRecord.h"

namespace korvanta {

MeasurementRecord MakeEmptyRecord()
{
    return MeasurementRecord{};  // aggregate value-initialisation zeroes every byte (there is no padding)
}

}  // namespace korvanta
