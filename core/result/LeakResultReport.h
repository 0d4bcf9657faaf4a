#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/correlation/ResultAssessment.h"
#include "core/pipe/LeakPosition.h"
#include "core/pipe/PipeSection.h"
#include "core/pipe/PositionInterval.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

class CCorrelator;
class CMaterialDatabase;

// A further peak of the correlation, where it would put the leak.
struct CandidatePlace {
    float delay = 0.0f;
    float relative = 0.0f;                // height over the top peak's
    std::optional<LeakPosition> position;  // nothing without a pipe
};

// Everything a window, a printout or the command-line tool says about one two-station result
// beyond its delay: whether it can be relied on and why not (in Danish), the further peaks, and
// for a reliable result on a known pipe the span in which the leak lies.
struct LeakResultReport {
    ResultVerdict verdict;
    std::vector<CandidatePlace> candidates;
    std::vector<float> rivalPlaces;        // distances from the start of the nearly equal peaks
    std::vector<std::string> reasonTexts;  // one per verdict reason, same order
    std::optional<PositionInterval> interval;
};

// For the result on show in `engine` and the pipe entered for it. `materials` tells a table
// velocity from a measured one (nullptr: every velocity counts as measured); `measuredShare` is
// the share a measured velocity may be off (the velocity tools know their regression's).
LeakResultReport BuildLeakResultReport(const CCorrelator& engine, const PipeSections& pipe,
                                       const CMaterialDatabase* materials, UnitSystem units = UnitSystem::Metric,
                                       float measuredShare = 0.02f);

// The same from an assessment input made elsewhere (tests, calibration).
LeakResultReport BuildLeakResultReport(const AssessmentInput& input, const PipeSections& pipe,
                                       const VelocityShares& shares, UnitSystem units = UnitSystem::Metric);

}  // namespace korvanta
