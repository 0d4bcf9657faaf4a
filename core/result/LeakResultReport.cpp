#include "core/result/LeakResultReport.h"

#include "core/correlation/CCorrelator.h"
#include "core/pipe/Pipe.h"
#include "core/result/ResultTexts.h"

namespace korvanta {

LeakResultReport BuildLeakResultReport(const AssessmentInput& input, const PipeSections& pipe,
                                       const VelocityShares& shares, UnitSystem units)
{
    LeakResultReport report;
    report.verdict = ResultAssessment::Assess(input);
    const bool hasPipe = GetSectionCount(pipe) > 0;
    for (const CorrelationPeak& peak : input.peaks.candidates) {
        CandidatePlace place;
        place.delay = peak.delay;
        place.relative = peak.relative;
        if (hasPipe) {
            place.position = ComputeLeakPosition(pipe, peak.delay);
        }
        report.candidates.push_back(place);
    }
    if (hasPipe) {
        for (const CorrelationPeak& rival : report.verdict.rivals) {
            report.rivalPlaces.push_back(ComputeLeakPosition(pipe, rival.delay).fromStart);
        }
    }
    for (ResultDoubt doubt : report.verdict.reasons) {
        report.reasonTexts.push_back(VerdictReasonText(doubt, report.rivalPlaces, units));
    }
    if (report.verdict.reliable && hasPipe) {
        report.interval = ComputePositionInterval(pipe, input.peaks.top.delay, report.verdict.delayHalfWidth, shares);
    }
    return report;
}

LeakResultReport BuildLeakResultReport(const CCorrelator& engine, const PipeSections& pipe,
                                       const CMaterialDatabase* materials, UnitSystem units, float measuredShare)
{
    const VelocityShares shares = VelocitySharesFor(pipe, materials, measuredShare);
    return BuildLeakResultReport(ResultAssessment::FromEngine(engine, pipe, &shares), pipe, shares, units);
}

}  // namespace korvanta
