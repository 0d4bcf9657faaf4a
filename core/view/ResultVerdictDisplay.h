#pragma once

#include <string>
#include <vector>

#include "core/pipe/PipeSection.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

class CCorrelator;
class CMaterialDatabase;
class GraphScale;

// How the verdict line is coloured: nothing to judge, a result to rely on, or one in doubt.
enum class VerdictTone { None, Reliable, Unreliable };

// What the two-station view says about how sure its result is: one line beside the distances,
// the reasons in full for its tooltip, and the graph columns of the further peaks.
struct ResultVerdictDisplay {
    VerdictTone tone = VerdictTone::None;
    std::string line;     // "Pålideligt resultat: 43,5 m ± 0,4 m" or "Usikkert resultat: svagt signal"
    std::string details;  // the reasons as sentences, one a line; empty for a reliable result
    std::vector<int> candidateColumns;  // inside the graph only, highest peak first

    bool Empty() const { return tone == VerdictTone::None; }
};

// The verdict on the result on show in `engine`; empty without a result with a peak. The further
// peaks' columns are those of an unzoomed graph on `scale`.
ResultVerdictDisplay DescribeResultVerdict(const CCorrelator& engine, const PipeSections& pipe,
                                           const CMaterialDatabase* materials, UnitSystem units,
                                           const GraphScale& scale);

}  // namespace korvanta
