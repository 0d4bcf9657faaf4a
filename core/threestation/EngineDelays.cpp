#include "core/threestation/EngineDelays.h"

namespace korvanta {

void ComputeFromEngines(const ThreeStationMeasurement& measurement, CThreeStationResult& result)
{
    result.SetDelays(measurement.Engine(kPairRedBlue).GetDelay(), measurement.Engine(kPairBlueYellow).GetDelay(),
                     measurement.Engine(kPairRedYellow).GetDelay());
    result.Compute();
}

}  // namespace korvanta
