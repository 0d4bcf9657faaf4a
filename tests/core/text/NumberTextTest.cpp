// Texts with numbers come out and are read the same under any locale the C library was given.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <random>
#include <string>

#include "core/link/ReplyDecoding.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/NumberText.h"

namespace korvanta {
namespace {

// Runs the test under the Danish locale a window toolkit would set from the environment.
class DanishLocale : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, "da_DK.UTF-8"), nullptr)
            << "the da_DK.UTF-8 locale is missing; scripts/install-deps.sh installs it";
        ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }

private:
    std::string previous_;
};

TEST_F(DanishLocale, TheProgramsPatternsKeepTheirDecimalPoint)
{
    EXPECT_EQ(FormatSectionLength(12.345f, UnitSystem::Metric), "12.35");
    EXPECT_EQ(FormatDelay(0.01234f, TimeUnit::Seconds), "0.0123");
    EXPECT_EQ(FormatNumber("%.1f", -3.25), "-3.2");
    EXPECT_EQ(FormatNumber("%.2f  Hz", 48.0), "48.00  Hz");  // literal text around the number
    EXPECT_EQ(FormatNumber("%.1f%%", 12.25), "12.2%");
    const uint8_t words[22] = {0x03, 0xFF, 0x01, 0x00};
    const std::string diagnostics = FormatDiagnosticsText(words);
    EXPECT_EQ(diagnostics.substr(0, 13), "2.00     0.50");
    EXPECT_EQ(diagnostics.find(','), std::string::npos);
}

TEST_F(DanishLocale, NumbersAreReadWithADecimalPoint)
{
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {{"1.5", 1.5},           {"-0.25", -0.25},      {"+3e2", 300.0},
                 {"12", 12.0},           {"1,5", std::nullopt}, {"", std::nullopt},
                 {"1.5 ", std::nullopt}, {"+-1", std::nullopt}, {"1e400", std::nullopt},
                 {"nan", std::nullopt},  {"0x10", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
    }
}

TEST(NumberTextTest, FixedPatternsGiveWhatPrintfGivesInTheCLocale)
{
    ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
    const char* patterns[] = {"%.2f", "%0.4f", "%1.2f", "%0.0f", "%8.3f", "%-8.1f", "%+.2f", "% .1f", "%09.2f", "%f"};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-8, 12);
    for (int i = 0; i < 2000; ++i) {
        const double value = std::ldexp(mantissa(random), exponent(random) * 3);
        for (const char* pattern : patterns) {
            char expected[128];
            std::snprintf(expected, sizeof expected, pattern, value);
            ASSERT_EQ(FormatFixed(pattern, value), expected) << pattern << " " << value;
        }
    }
    EXPECT_EQ(FormatFixed("%.2f", static_cast<double>(1e38f)), "99999996802856924650656260769173209088.00");
    EXPECT_EQ(FormatFixed("%.2f", 0.125), "0.12");  // ties to even, as printf does
    EXPECT_EQ(FormatFixed("%d", 1.0), "");
    EXPECT_EQ(FormatFixed("%.2f%", 1.0), "");
}

}  // namespace
}  // namespace korvanta
