// How well the whole chain locates leaks in the shipped scenarios, as a crew would get it: the
// kit's acoustic model, the framing, the comms thread, the document and the engine, with the
// velocities the crew enters (the program's material table unless the scenario states them).
// docs/accuracy.md reports it; each case prints its table row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "ScenarioRig.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/pipe/LeakPosition.h"
#include "core/result/LeakResultReport.h"

namespace korvanta::e2e {
namespace {

using Outcome = MeasurementRunner::Outcome;

constexpr uint32_t kPairs = 20;

// What the case shows: the engine's peak on the leak's delay, or a peak elsewhere (more than ten
// lags off), which the table reports as the failure it is. On the leak means within two lags of
// the true delay; in a pipe with dispersive (buried plastic) sections within 5 % of it, as the
// leak's sound there travels at its group speed, a few per cent below the phase speed at 200 Hz
// that the true delay is reckoned with.
enum class Expect { Located, Misplaced };

struct AccuracyCase {
    const char* name;
    const char* file;
    bool notches = false;  // notch the mains harmonics 50..250 Hz, +-2 Hz
    Expect expect = Expect::Located;
    // A misplaced peak must be called unreliable, for this reason among others (the hum's ripple
    // lifts the correlation's whole floor, so its peak does not stand out: weak).
    ResultDoubt reason = ResultDoubt::Weak;
};

const char* ReasonKey(ResultDoubt doubt)
{
    static const char* names[] = {"weak", "ambiguous", "outside", "zero_delay"};
    return names[static_cast<int>(doubt)];
}

std::string Verdict(const LeakResultReport& report)
{
    if (report.verdict.reliable) {
        char text[64];
        std::snprintf(text, sizeof text, "reliable, %.1f..%.1f m", report.interval ? report.interval->low : 0.0f,
                      report.interval ? report.interval->high : 0.0f);
        return text;
    }
    std::string text = "unreliable:";
    for (ResultDoubt doubt : report.verdict.reasons) {
        text += std::string(" ") + ReasonKey(doubt);
    }
    return text;
}

// The leak's distance from red with every entered velocity scaled by `factor`.
float LocatedWithVelocities(PipeSections pipe, float delay, float factor)
{
    for (PipeSection& section : pipe) {
        section.velocity *= factor;
    }
    return ComputeLeakPosition(pipe, delay).fromStart;
}

std::string Velocities(const PipeSections& pipe)
{
    std::string text;
    for (const PipeSection& section : pipe) {
        if (section.inUse != 0) {
            text += (text.empty() ? "" : " / ") + std::to_string(std::lround(section.velocity));
        }
    }
    return text;
}

// Why a peak is off: outside the pipe, at the middle (noise common to both sensors), or another.
const char* Failure(const PipeSections& pipe, float delay, double truthDelay)
{
    if (IsLeakOutsidePipe(pipe, delay)) {
        return "peak outside the pipe";
    }
    if (std::abs(delay) <= 5.0 * kLagSeconds && std::abs(truthDelay) > 10.0 * kLagSeconds) {
        return "peak at the middle";
    }
    return "wrong peak";
}

class AccuracyTest : public testing::TestWithParam<AccuracyCase> {};

TEST_P(AccuracyTest, TheLeakIsLocatedAsACrewWouldLocateIt)
{
    const AccuracyCase& c = GetParam();
    const std::shared_ptr<sim::Scenario> scenario = ShippedScenario(c.file);
    const double truth = scenario->scene.leaks.front().positionMetres;
    KitRig rig(FastScenarioKit(scenario));
    ASSERT_TRUE(rig.kit) << rig.kitError;
    ASSERT_TRUE(rig.Open());
    CKorvantaDoc& doc = *rig.document;
    doc.Edit().ApplySensorCombination(6);
    const PipeSections pipe = CrewPipe(*scenario, doc.Materials());
    doc.Edit().ApplyPipeData(pipe);  // filters from the pipe's materials, as the program proposes
    if (c.notches) {
        FilterSettings filters = doc.Record().filters;
        for (int k = 0; k < kNotchCount; ++k) {
            const float hz = 50.0f * static_cast<float>(k + 1);
            filters.notches[k] = {hz - 2.0f, hz + 2.0f};
        }
        doc.Edit().StoreFilterSettings(filters);
    }

    ASSERT_EQ(rig.Measure(kPairs), Outcome::Complete) << rig.messageText.str();
    ASSERT_EQ(doc.PairTotal(), kPairs);
    ASSERT_TRUE(doc.Recompute());
    const float delay = doc.GetDelay();
    const float located = doc.ComputeLeakPosition(delay).fromStart;
    const double lagTravel = kLagSeconds * LocalVelocity(*scenario, truth);
    // The engine's delay is red's arrival minus blue's.
    const sim::AcousticPipe& model = scenario->scene.pipe;
    const double truthDelay = model.TravelTime(truth, scenario->scene.sensors[1].positionMetres) -
                              model.TravelTime(truth, scenario->scene.sensors[2].positionMetres);
    const double delayLags = (delay - truthDelay) / kLagSeconds;
    bool dispersive = false;
    for (const sim::AcousticSection& section : model.Sections()) {
        dispersive = dispersive || section.Dispersive();
    }
    const double toleranceLags = dispersive ? std::max(2.0, 0.05 * std::abs(truthDelay) / kLagSeconds) : 2.0;
    const bool onTheLeak = std::abs(delayLags) <= toleranceLags;
    const LeakResultReport report = BuildLeakResultReport(doc.Engine(), pipe, &doc.Materials());
    std::printf(
        "ACCURACY | %s | %s | %.1f m | %.0f-%.0f Hz%s | %u | %s m/s | %.2f m | %+.2f m | %+.1f | %.2f m | "
        "%+.2f m | %+.2f m | %u | %s | %s |\n",
        c.name, c.file, doc.Pipe().TotalLength(), doc.Filters().LowCutoff(), doc.Filters().HighCutoff(),
        c.notches ? ", notches" : "", kPairs, Velocities(pipe).c_str(), located, located - truth, delayLags, lagTravel,
        LocatedWithVelocities(pipe, delay, 0.95f) - truth, LocatedWithVelocities(pipe, delay, 1.05f) - truth,
        doc.GetQuality(), onTheLeak ? "located" : Failure(pipe, delay, truthDelay), Verdict(report).c_str());
    if (c.expect == Expect::Located) {
        // Found, and said so: reliable, with a span that holds the leak.
        EXPECT_TRUE(report.verdict.reliable) << Verdict(report);
        ASSERT_TRUE(report.interval.has_value());
        EXPECT_LE(report.interval->low, truth);
        EXPECT_GE(report.interval->high, truth);
        EXPECT_TRUE(onTheLeak) << "delay off by " << delayLags << " lags: " << Failure(pipe, delay, truthDelay);
        // With the delay right, what is left of the error is the entered velocity's.
        const PipeSections truePipe = UserPipe(*scenario);
        EXPECT_NEAR(located, ComputeLeakPosition(pipe, static_cast<float>(truthDelay)).fromStart,
                    toleranceLags * lagTravel / 2.0 + 0.01);
        EXPECT_NEAR(ComputeLeakPosition(truePipe, static_cast<float>(truthDelay)).fromStart, truth, 0.01);
    } else {
        EXPECT_GT(std::abs(delayLags), 10.0) << "the failure no longer shows";
        // Misplaced, and said so.
        EXPECT_FALSE(report.verdict.reliable);
        EXPECT_TRUE(report.verdict.Has(c.reason)) << "expected " << ReasonKey(c.reason) << ", got " << Verdict(report);
        EXPECT_FALSE(report.interval.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedScenarios, AccuracyTest,
                         testing::Values(AccuracyCase{"PvcDefault", "default.json"},
                                         AccuracyCase{"IronMiddle", "iron-main.json"},
                                         AccuracyCase{"IronNearSensor", "iron-near-sensor.json"},
                                         AccuracyCase{"ThreeSectionsLeakInPlastic", "mixed-sections.json"},
                                         AccuracyCase{"NoisySteel", "noisy-steel.json"},
                                         AccuracyCase{"PvcHumWithoutNotch", "hum-pvc.json", false, Expect::Misplaced,
                                                      ResultDoubt::Weak},
                                         AccuracyCase{"PvcHumNotched", "hum-pvc.json", true},
                                         AccuracyCase{"IronEchoAndSecondLeak", "echo-and-second-leak.json"},
                                         AccuracyCase{"BuriedMdpe", "buried-mdpe.json", false, Expect::Misplaced,
                                                      ResultDoubt::ZeroDelay},
                                         AccuracyCase{"DuctileIron500m", "ductile-iron-500m.json"},
                                         AccuracyCase{"IronThenPe", "iron-then-pe.json"},
                                         AccuracyCase{"PvcAccelerometers", "pvc-accelerometers.json"},
                                         AccuracyCase{"LowSnr", "low-snr.json", false, Expect::Misplaced, ResultDoubt::Weak},
                                         AccuracyCase{"TeeNearSensor", "tee-near-sensor.json"}),
                         [](const testing::TestParamInfo<AccuracyCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvanta::e2e
