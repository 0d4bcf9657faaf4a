#include "core/threestation/PairVerdict.h"

#include "core/correlation/CCorrelator.h"
#include "core/result/ResultTexts.h"

namespace korvanta {

namespace {

// A velocity found from the three delays is a regression of sorts; its share as the velocity
// tools give theirs.
constexpr float kThreeStationVelocityShare = 0.02f;

}  // namespace

PipeSections PairPipe(const CThreeStationResult& result, int index)
{
    PipeSections pipe{};
    const ThreeStationPair& pair = result.Pair(index);
    const float velocity = result.IsValid() ? result.Velocity() : result.LowerVelocityBound();
    if (pair.distance > 0.0f && velocity >= 1.0f) {
        pipe[0].length = pair.distance;
        pipe[0].velocity = velocity;
        pipe[0].inUse = 1;
    }
    return pipe;
}

LeakResultReport PairReport(const CCorrelator& engine, const CThreeStationResult& result, int index, UnitSystem units)
{
    LeakResultReport report =
        BuildLeakResultReport(engine, PairPipe(result, index), nullptr, units, kThreeStationVelocityShare);
    if (!result.IsValid()) {
        // The slowest velocity the set-up allows says where a peak cannot be, not where it is.
        report.interval.reset();
        for (CandidatePlace& place : report.candidates) {
            place.position.reset();
        }
    }
    // One pair always has the leak beyond one of its sensors: its peak at the whole span's travel
    // time is what gives the velocity, so a place outside is no doubt here (and gives no span).
    std::vector<ResultDoubt>& reasons = report.verdict.reasons;
    for (size_t i = reasons.size(); i-- > 0;) {
        if (reasons[i] == ResultDoubt::Outside) {
            reasons.erase(reasons.begin() + static_cast<std::ptrdiff_t>(i));
            report.reasonTexts.erase(report.reasonTexts.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    report.verdict.reliable = reasons.empty();
    return report;
}

PairVerdict AssessPair(const CCorrelator& engine, const CThreeStationResult& result, int index, UnitSystem units)
{
    PairVerdict verdict;
    if (!engine.IsResultReady() || !engine.HasSignal()) {
        return verdict;
    }
    const LeakResultReport report = PairReport(engine, result, index, units);
    verdict.assessed = true;
    verdict.reliable = report.verdict.reliable;
    verdict.line = VerdictLine(report.verdict, report.interval, units);
    for (const std::string& reason : report.reasonTexts) {
        verdict.details += (verdict.details.empty() ? "" : "\n") + reason;
    }
    return verdict;
}

}  // namespace korvanta
