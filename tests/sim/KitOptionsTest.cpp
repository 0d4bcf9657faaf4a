// The kit's configuration: pipe layout, option checks and the simulator's command line.
#include <gtest/gtest.h>

#include "sim/KitCommandLine.h"
#include "sim/KitOptions.h"

namespace korvanta::sim {
namespace {

TEST(PipeLayout, DelaysFollowTheLeakAlongThePipe)
{
    PipeLayout pipe;
    pipe.lengthMetres = 300.0;
    pipe.velocity = 1200.0;
    pipe.leakMetres = 90.0;
    EXPECT_DOUBLE_EQ(pipe.DelayOf(1), 0.075);
    EXPECT_DOUBLE_EQ(pipe.DelayOf(2), 0.175);
    // Red minus blue: negative for a leak nearer red, as the engine reports it for pair 6.
    EXPECT_DOUBLE_EQ(pipe.PairDelay(1, 2), -0.1);
    // Yellow half a pipe beyond blue, the interface unit's sensor beside blue, unless placed.
    EXPECT_DOUBLE_EQ(pipe.DelayOf(3), (450.0 - 90.0) / 1200.0);
    EXPECT_DOUBLE_EQ(pipe.DelayOf(0), pipe.DelayOf(2));
    pipe.yellowMetres = 40.0;
    pipe.interfaceMetres = -60.0;
    EXPECT_DOUBLE_EQ(pipe.DelayOf(3), 50.0 / 1200.0);
    EXPECT_DOUBLE_EQ(pipe.DelayOf(0), 150.0 / 1200.0);
}

TEST(PipeLayout, RefusesLayoutsItCannotModel)
{
    PipeLayout pipe;
    EXPECT_EQ(pipe.Check(), "");
    pipe.leakMetres = pipe.lengthMetres + 1.0;
    EXPECT_NE(pipe.Check(), "");
    pipe = PipeLayout{};
    pipe.velocity = 0.0;
    EXPECT_NE(pipe.Check(), "");
    pipe = PipeLayout{};
    pipe.lengthMetres = 20000.0;  // longer than the noise model can delay
    pipe.leakMetres = 0.0;
    EXPECT_NE(pipe.Check(), "");
    pipe = PipeLayout{};
    pipe.yellowMetres = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(pipe.Check(), "");
}

TEST(KitOptions, CheckCatchesBadSharesBandsAndResetTimes)
{
    KitOptions options;
    EXPECT_EQ(CheckKitOptions(options), "");
    options.lineFaults = {0.7, 0.4};
    EXPECT_NE(CheckKitOptions(options), "");
    options = KitOptions{};
    options.lowHz = 900.0;
    EXPECT_NE(CheckKitOptions(options), "");
    options = KitOptions{};
    options.resetAfterSeconds = -1.0;
    EXPECT_NE(CheckKitOptions(options), "");
    options = KitOptions{};
    options.units[2].snrDb = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(CheckKitOptions(options), "");
}

TEST(KitCommandLine, SetsEveryUnitOption)
{
    KitCommandLine line;
    std::string error;
    ASSERT_TRUE(ParseKitCommandLine(
        {"--link",     "/tmp/port",      "--fast",   "--off",          "yellow",          "--no-sensor",
         "2",          "--faulty",       "red",      "--battery",      "blue:12",         "--firmware",
         "red:1.5.A",  "--firmware",     "3:2.0.26", "--link-quality", "blue:acceptable", "--interface-sensor",
         "--charging", "--no-headphones"},
        line, error))
        << error;
    EXPECT_EQ(line.linkPath, "/tmp/port");
    const KitOptions& o = line.options;
    EXPECT_FALSE(o.paced);
    EXPECT_FALSE(o.units[3].on);
    EXPECT_FALSE(o.units[2].sensor);
    EXPECT_TRUE(o.units[1].faulty);
    EXPECT_EQ(o.units[2].battery, 12);
    EXPECT_EQ(o.units[1].firmware, (std::array<uint8_t, 3>{1, 5, 0}));
    EXPECT_EQ(o.units[3].firmware, (std::array<uint8_t, 3>{2, 0, 26}));
    EXPECT_EQ(o.units[2].linkQuality, LinkQuality::Acceptable);
    EXPECT_TRUE(o.units[0].sensor);
    EXPECT_TRUE(o.charging);
    EXPECT_FALSE(o.headphones);
}

TEST(KitCommandLine, LinkQualityTakesANameOrShares)
{
    KitCommandLine line;
    std::string error;
    ASSERT_TRUE(ParseKitCommandLine({"--link", "p", "--link-quality", "red:failed", "--link-quality", "blue:60/25/15",
                                     "--link-quality", "3:0.5/0/0.5"},
                                    line, error))
        << error;
    EXPECT_EQ(line.options.units[1].linkQuality, LinkQuality::Failed);
    EXPECT_EQ(line.options.units[2].linkQuality, LinkShares(60, 25, 15));
    EXPECT_EQ(line.options.units[3].linkQuality, LinkShares(0.5, 0, 0.5));
}

TEST(KitCommandLine, SetsThePipeTheNoiseAndTheFaults)
{
    KitCommandLine line;
    std::string error;
    ASSERT_TRUE(ParseKitCommandLine({"--link",
                                     "p",
                                     "--pipe-length",
                                     "300",
                                     "--velocity",
                                     "1000",
                                     "--leak-distance",
                                     "120",
                                     "--yellow-position",
                                     "500",
                                     "--snr",
                                     "6",
                                     "--band",
                                     "200:600",
                                     "--seed",
                                     "9",
                                     "--reset-after",
                                     "12.5",
                                     "--lose",
                                     "0.1",
                                     "--corrupt",
                                     "0.05"},
                                    line, error))
        << error;
    const KitOptions& o = line.options;
    EXPECT_TRUE(o.paced);
    EXPECT_DOUBLE_EQ(o.pipe.lengthMetres, 300.0);
    EXPECT_DOUBLE_EQ(o.pipe.velocity, 1000.0);
    EXPECT_DOUBLE_EQ(o.pipe.leakMetres, 120.0);
    EXPECT_DOUBLE_EQ(*o.pipe.yellowMetres, 500.0);
    EXPECT_DOUBLE_EQ(o.units[3].snrDb, 6.0);
    EXPECT_DOUBLE_EQ(o.lowHz, 200.0);
    EXPECT_DOUBLE_EQ(o.highHz, 600.0);
    EXPECT_EQ(o.seed, 9u);
    EXPECT_DOUBLE_EQ(*o.resetAfterSeconds, 12.5);
    EXPECT_DOUBLE_EQ(o.lineFaults.lose, 0.1);
    EXPECT_DOUBLE_EQ(o.lineFaults.corrupt, 0.05);
}

TEST(KitCommandLine, RefusesWhatItCannotUse)
{
    const std::vector<std::vector<std::string>> bad = {
        {},                                        // no link
        {"--link"},                                // no value
        {"--link", "p", "--speed", "9"},           // unknown option
        {"--link", "p", "extra"},                  // stray argument
        {"--link", "p", "--off", "interface"},     // the interface unit cannot be switched off
        {"--link", "p", "--battery", "red:300"},   // not a byte
        {"--link", "p", "--battery", "green:3"},   // no such unit
        {"--link", "p", "--firmware", "red:1.5"},  // three parts
        {"--link", "p", "--link-quality", "red:good"},
        {"--link", "p", "--link-quality", "red:60/25"},     // three shares
        {"--link", "p", "--link-quality", "red:0/0/0"},     // nothing to draw from
        {"--link", "p", "--link-quality", "red:60/-5/45"},  // a negative share
        {"--link", "p", "--link-quality", "interface:perfect"},
        {"--link", "p", "--velocity", "fast"},
        {"--link", "p", "--leak-distance", "500"},  // beyond the pipe's end
        {"--link", "p", "--lose", "1.5"},
    };
    for (const auto& args : bad) {
        KitCommandLine line;
        std::string error;
        EXPECT_FALSE(ParseKitCommandLine(args, line, error)) << testing::PrintToString(args);
        EXPECT_FALSE(error.empty());
    }
    KitCommandLine help;
    std::string error;
    EXPECT_TRUE(ParseKitCommandLine({"--help"}, help, error));
    EXPECT_TRUE(help.help);
}

}  // namespace
}  // namespace korvanta::sim
