// An outstation's radio link as shares of perfect, acceptable and failed tests.
#include <gtest/gtest.h>

#include <limits>

#include "sim/LinkShares.h"

namespace korvanta::sim {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kJustBelowOne = 1.0 - 0x1.0p-53;

TEST(LinkShares, DrawSplitsTheUnitIntervalInProportion)
{
    struct Case {
        LinkShares shares;
        double uniform;
        LinkQuality expected;
    };
    const Case cases[] = {
        {{70, 20, 10}, 0.0, LinkQuality::Perfect},
        {{70, 20, 10}, 0.6999, LinkQuality::Perfect},
        {{70, 20, 10}, 0.7001, LinkQuality::Acceptable},
        {{70, 20, 10}, 0.8999, LinkQuality::Acceptable},
        {{70, 20, 10}, 0.9001, LinkQuality::Failed},
        {{0.7, 0.2, 0.1}, 0.85, LinkQuality::Acceptable},  // the same link written as shares of 1
        {{0, 3, 1}, 0.0, LinkQuality::Acceptable},         // no perfect share: nothing draws perfect
        {{0, 3, 1}, 0.76, LinkQuality::Failed},
        {{5, 0, 5}, 0.5, LinkQuality::Failed},
        {{5, 0, 5}, 0.4999, LinkQuality::Perfect},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.shares.Draw(c.uniform), c.expected)
            << c.shares.perfect << "/" << c.shares.acceptable << "/" << c.shares.failed << " at " << c.uniform;
    }
}

TEST(LinkShares, ASingleQualityIsTheWholeLinkWhateverIsDrawn)
{
    for (const LinkQuality quality : {LinkQuality::Perfect, LinkQuality::Acceptable, LinkQuality::Failed}) {
        const LinkShares shares(quality);
        EXPECT_EQ(shares.Check(), "");
        for (const double uniform : {0.0, 0.5, kJustBelowOne}) {
            EXPECT_EQ(shares.Draw(uniform), quality) << uniform;
        }
    }
    EXPECT_EQ(LinkShares(), LinkShares(LinkQuality::Perfect)) << "a link is perfect until told otherwise";
}

TEST(LinkShares, SharesThatCannotBeDrawnFromAreFaulted)
{
    const LinkShares bad[] = {
        {0, 0, 0}, {-1, 1, 1}, {1, kNaN, 0}, {1, 0, kInf}, {1e308, 1e308, 1e308},  // the sum overflows
    };
    for (const LinkShares& shares : bad) {
        EXPECT_NE(shares.Check(), "") << shares.perfect << "/" << shares.acceptable << "/" << shares.failed;
    }
    EXPECT_EQ(LinkShares(0, 0, 2).Check(), "");
}

TEST(LinkShares, QualitiesByName)
{
    EXPECT_EQ(LinkQualityNamed("perfect"), LinkQuality::Perfect);
    EXPECT_EQ(LinkQualityNamed("acceptable"), LinkQuality::Acceptable);
    EXPECT_EQ(LinkQualityNamed("failed"), LinkQuality::Failed);
    EXPECT_EQ(LinkQualityNamed("Perfect"), std::nullopt);
    EXPECT_EQ(LinkQualityNamed(""), std::nullopt);
}

}  // namespace
}  // namespace korvanta::sim
