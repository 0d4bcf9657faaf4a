#pragma once

#include <string>

#include "core/pipe/PipeSection.h"
#include "core/threestation/CThreeStationResult.h"
#include "core/result/LeakResultReport.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

class CCorrelator;

// How sure one pair's result of the three-station mode is, as the form and the printout show it.
struct PairVerdict {
    bool assessed = false;  // the pair has a result with a peak
    bool reliable = false;
    std::string line;       // "Pålideligt resultat: 43,5 m ± 0,4 m" or "Usikkert resultat: svagt signal"
    std::string details;    // the reasons in full sentences, one a line
};

// The pair's stretch of pipe as one section. With a valid result the velocity is the one the
// three pairs gave, else the slowest the set-up allows: a delay beyond that travel time lies
// outside the pair for any velocity in the bounds. No sections without a distance or velocity.
PipeSections PairPipe(const CThreeStationResult& result, int index);

// The report on pair `index` (0 red/blue, 1 blue/yellow, 2 red/yellow) from its engine, the one
// rule the form, the printout and the command-line tool share: the pair's place outside its
// stretch is no doubt (its peak at the whole span's travel time is what gives the velocity); the
// span and the candidates' places are given only with a valid combined result, whose velocity
// they are reckoned with. The engine must have a result with a peak.
LeakResultReport PairReport(const CCorrelator& engine, const CThreeStationResult& result, int index,
                            UnitSystem units = UnitSystem::Metric);

// The verdict on pair `index` (0 red/blue, 1 blue/yellow, 2 red/yellow) from its engine; the span
// is the leak's distance from the pair's first sensor, given only with a valid combined result and
// a leak between the pair's sensors.
PairVerdict AssessPair(const CCorrelator& engine, const CThreeStationResult& result, int index, UnitSystem units);

}  // namespace korvanta
