// The Danish texts of a verdict and of a position with its span.
#include <gtest/gtest.h>

#include "core/result/ResultTexts.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {
namespace {

TEST(VerdictTextsTest, PositionsCarryADecimalCommaAndTheirSpan)
{
    EXPECT_EQ(IntervalText(43.5f, 0.44f, UnitSystem::Metric), "43,5 m \u00b1 0,4 m");
    EXPECT_EQ(IntervalText(10.0f, 1.0f, UnitSystem::Imperial), "32,8 ft \u00b1 3,3 ft");
    EXPECT_EQ(DistanceText(0.04f, UnitSystem::Metric), "0,0 m");
}

TEST(VerdictTextsTest, EachDoubtHasItsMessageAndAmbiguityNamesTheRivals)
{
    EXPECT_EQ(VerdictReasonText(ResultDoubt::Outside, {}, UnitSystem::Metric),
              "Ingen lækage fundet mellem sensorerne.");
    EXPECT_EQ(VerdictReasonText(ResultDoubt::Weak, {}, UnitSystem::Metric), LoadString(str::kVerdictWeak));
    EXPECT_NE(VerdictReasonText(ResultDoubt::ZeroDelay, {}, UnitSystem::Metric).find("Flyt den ene sensor"),
              std::string::npos);
    EXPECT_EQ(VerdictReasonText(ResultDoubt::Ambiguous, {12.34f, 80.0f}, UnitSystem::Metric),
              "Flere toppe er næsten lige høje (ved 12,3 m, 80,0 m). Lækagen kan ligge ved enhver af dem.");
    EXPECT_NE(VerdictReasonText(ResultDoubt::Ambiguous, {}, UnitSystem::Metric).find("ukendt sted"),
              std::string::npos);
    EXPECT_EQ(VerdictHeadline(true), "Pålideligt resultat");
    EXPECT_EQ(VerdictHeadline(false), "Usikkert resultat");
}

}  // namespace
}  // namespace korvanta
