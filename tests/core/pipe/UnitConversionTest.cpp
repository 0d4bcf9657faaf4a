#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/pipe/PipeValidation.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"

namespace korvanta {
namespace {

constexpr auto kMetric = UnitSystem::Metric;
constexpr auto kImperial = UnitSystem::Imperial;
constexpr auto kSeconds = TimeUnit::Seconds;
constexpr auto kMilliseconds = TimeUnit::Milliseconds;

TEST(UnitConversion, EntryAndDisplayUseTheirOwnConstants)
{
    // 0.3047999902464003 is the float nearest 0.3048, so a typed foot is exactly 0.3048f metres.
    EXPECT_EQ(LengthToMetres(1.0f, kImperial), 0.3048f);
    EXPECT_EQ(LengthToMetres(12.5f, kMetric), 12.5f);
    EXPECT_FLOAT_EQ(DiameterToMillimetres(4.0f, kImperial), 101.6002032f);
    EXPECT_DOUBLE_EQ(LengthForDisplay(1.0f, kImperial), 3.28084);
    EXPECT_DOUBLE_EQ(DiameterForDisplay(100.0f, kImperial), 3.937);
    // The round trip is not exact: display and entry factors are not inverses.
    EXPECT_NE(static_cast<double>(LengthToMetres(static_cast<float>(LengthForDisplay(100.0f, kImperial)), kImperial)),
              100.0);
}

TEST(UnitConversion, VelocityCombinesFootAndMillisecondFactors)
{
    EXPECT_FLOAT_EQ(VelocityToMetresPerSecond(1.2f, kMetric, kMilliseconds), 1200.0f);
    EXPECT_FLOAT_EQ(VelocityToMetresPerSecond(1000.0f, kImperial, kSeconds), 304.79999f);
    EXPECT_FLOAT_EQ(VelocityToMetresPerSecond(1.0f, kImperial, kMilliseconds), 304.79999f);
    EXPECT_DOUBLE_EQ(VelocityForDisplay(1000.0f, kImperial, kMilliseconds), 1000.0 * 3.28084 * 0.001);
    EXPECT_DOUBLE_EQ(VelocityForDisplay(1250.0f, kMetric, kMilliseconds), 1.25);
    EXPECT_DOUBLE_EQ(DelayForDisplay(0.5f, kMilliseconds), 500.0);
    EXPECT_DOUBLE_EQ(DelayForDisplay(0.5f, kSeconds), 0.5);
}

TEST(UnitConversion, DisplayFormats)
{
    EXPECT_EQ(FormatSectionLength(123.456f, kMetric), "123.46");
    EXPECT_EQ(FormatSectionLength(100.0f, kImperial), "328.1");
    EXPECT_EQ(FormatSectionDiameter(110.0f, kMetric), "110");
    EXPECT_EQ(FormatSectionDiameter(110.0f, kImperial), "4.3");
    EXPECT_EQ(FormatVelocity(1234.4f, kMetric, kSeconds), "1234");
    EXPECT_EQ(FormatVelocity(1234.4f, kMetric, kMilliseconds), "1.23");
    EXPECT_EQ(FormatVelocity(1000.0f, kImperial, kSeconds), "3281");
    EXPECT_EQ(FormatVelocity(1000.0f, kImperial, kMilliseconds), "3.28");
    EXPECT_EQ(FormatLeakDistance(42.26f, kMetric), "42.3 m");
    EXPECT_EQ(FormatLeakDistance(10.0f, kImperial), "32.8 ft");
    EXPECT_EQ(FormatDelay(0.01234f, kSeconds), "0.0123");
    EXPECT_EQ(FormatDelay(0.01234f, kMilliseconds), "12.3");
    // Values far beyond a small buffer still format completely.
    EXPECT_EQ(FormatSectionLength(3e38f, kMetric).size(), 42u);
}

TEST(PipeValidation, LimitsAreCheckedInStoredUnitsAndIncludeTheLimit)
{
    EXPECT_EQ(CheckLength(0.1f, kMetric), str::kNoError);
    EXPECT_EQ(CheckLength(0.0999f, kMetric), str::kInvalidLengthMetric);
    EXPECT_EQ(CheckLength(0.33f, kImperial), str::kNoError);
    EXPECT_EQ(CheckLength(0.32f, kImperial), str::kInvalidLengthImperial);

    EXPECT_EQ(CheckDiameter(1.0f, kMetric), str::kNoError);
    EXPECT_EQ(CheckDiameter(0.5f, kMetric), str::kInvalidDiameterMetric);
    EXPECT_EQ(CheckDiameter(0.04f, kImperial), str::kNoError);                   // 1.016 mm
    EXPECT_EQ(CheckDiameter(0.039f, kImperial), str::kInvalidDiameterImperial);  // 0.9906 mm

    EXPECT_EQ(CheckVelocity(1.0f, kMetric, kSeconds), str::kNoError);
    EXPECT_EQ(CheckVelocity(0.001f, kMetric, kMilliseconds), str::kNoError);
    EXPECT_EQ(CheckVelocity(0.0009f, kMetric, kMilliseconds), str::kInvalidVelocityMetric);
    EXPECT_EQ(CheckVelocity(3.3f, kImperial, kSeconds), str::kNoError);
    // The message's "3.28 ft/s" is 0.99974 m/s, just below the limit.
    EXPECT_EQ(CheckVelocity(3.28f, kImperial, kSeconds), str::kInvalidVelocityImperial);
    EXPECT_EQ(CheckVelocity(0.0033f, kImperial, kMilliseconds), str::kNoError);
    EXPECT_EQ(CheckVelocity(0.003f, kImperial, kMilliseconds), str::kInvalidVelocityImperial);
}

TEST(PipeValidation, NotANumberIsRefused)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(CheckLength(nan, kMetric), str::kInvalidLengthMetric);
    EXPECT_EQ(CheckDiameter(nan, kImperial), str::kInvalidDiameterImperial);
    EXPECT_EQ(CheckVelocity(nan, kMetric, kMilliseconds), str::kInvalidVelocityMetric);
}

}  // namespace
}  // namespace korvanta
