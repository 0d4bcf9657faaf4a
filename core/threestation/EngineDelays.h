#pragma once

#include "core/document/ThreeStationMeasurement.h"
#include "core/threestation/CThreeStationResult.h"

namespace korvanta {

// Takes the delays the three pairs' engines found into the result and computes it.
void ComputeFromEngines(const ThreeStationMeasurement& measurement, CThreeStationResult& result);

}  // namespace korvanta
