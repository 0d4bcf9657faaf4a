#include "core/view/ResultVerdictDisplay.h"

#include "core/correlation/CCorrelator.h"
#include "core/result/LeakResultReport.h"
#include "core/result/ResultTexts.h"
#include "core/view/GraphScale.h"

namespace korvanta {

ResultVerdictDisplay DescribeResultVerdict(const CCorrelator& engine, const PipeSections& pipe,
                                           const CMaterialDatabase* materials, UnitSystem units,
                                           const GraphScale& scale)
{
    ResultVerdictDisplay shown;
    if (!engine.IsResultReady() || !engine.HasSignal()) {
        return shown;
    }
    const LeakResultReport report = BuildLeakResultReport(engine, pipe, materials, units);
    shown.tone = report.verdict.reliable ? VerdictTone::Reliable : VerdictTone::Unreliable;
    shown.line = VerdictLine(report.verdict, report.interval, units);
    for (const std::string& reason : report.reasonTexts) {
        shown.details += (shown.details.empty() ? "" : "\n") + reason;
    }
    for (const CandidatePlace& candidate : report.candidates) {
        const int column = scale.ColumnForDelay(candidate.delay);
        if (scale.Contains(column)) {
            shown.candidateColumns.push_back(column);
        }
    }
    return shown;
}

}  // namespace korvanta
