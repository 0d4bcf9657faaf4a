#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/correlation/ResultAssessment.h"
#include "core/pipe/PositionInterval.h"
#include "core/values/UnitSystem.h"

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/PipeSection.h"

namespace korvanta {

// "%d:1": the number of block pairs accumulated.
std::string BlockCountText(uint32_t pairs);

// The pipe's material: empty without sections, "Blandet" for mixed materials, else the name of
// section 0's material.
std::string MaterialText(const PipeSections& pipe, const CMaterialDatabase& materials);

// A span of seconds as "HH:MM:SS", the hours taken modulo 24 as a clock shows them.
std::string ElapsedTimeText(int64_t seconds);

// A leak position with its span of doubt, one decimal and a decimal comma as a Danish reader
// writes it: "43,5 m ± 0,4 m" (feet for imperial units).
std::string IntervalText(float position, float halfWidth, UnitSystem units);

// "43,5 m": one distance as IntervalText writes it.
std::string DistanceText(float metres, UnitSystem units);

// The Danish explanation of one doubt about a result; for Ambiguous the rivals' distances from
// the start of the pipe go into the text (none known: "ukendt sted").
std::string VerdictReasonText(ResultDoubt doubt, const std::vector<float>& rivalPlaces, UnitSystem units);

// "Pålideligt resultat" or "Usikkert resultat".
std::string VerdictHeadline(bool reliable);

// The reasons in a few words each, for a line with no room for the sentences: "svagt signal,
// flere lige høje toppe".
std::string VerdictShortReasons(const std::vector<ResultDoubt>& reasons);

// The verdict in one line: "Pålideligt resultat: 43,5 m ± 0,4 m" (without the span when none is
// known) or "Usikkert resultat: svagt signal".
std::string VerdictLine(const ResultVerdict& verdict, const std::optional<PositionInterval>& interval,
                        UnitSystem units);

}  // namespace korvanta
