#include "core/diagnostics/SignalStrengthTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/core/diagnostics/QueueServer.h"

namespace korvanta {
namespace {

TEST(SignalStrengthBar, CountsTextsAndSegments)
{
    CSignalStrengthBar bar;
    for (int i = 0; i < 10; ++i) {
        bar.AddTest();
    }
    for (int i = 0; i < 6; ++i) {
        bar.AddAcceptable();
    }
    for (int i = 0; i < 4; ++i) {
        bar.AddPerfect();
    }
    EXPECT_EQ(bar.PerfectText(), "4");
    EXPECT_EQ(bar.PerfectShareText(), "40.0%");
    EXPECT_EQ(bar.AcceptableText(), "6");
    EXPECT_EQ(bar.AcceptableShareText(), "60.0%");
    EXPECT_EQ(bar.FailedText(), "4");
    EXPECT_EQ(bar.FailedShareText(), "40.0%");
    const CSignalStrengthBar::Segments s = bar.Layout(1, 200);
    EXPECT_FALSE(s.empty);
    EXPECT_EQ(s.green.begin, 1);
    EXPECT_EQ(s.green.end, 81);  // 40 % of 200
    EXPECT_EQ(s.yellow.begin, 81);
    EXPECT_EQ(s.yellow.end, 121);  // to 60 %; red fills the last 40 %

    bar.Reset();
    EXPECT_TRUE(bar.Layout(1, 200).empty);
    EXPECT_EQ(bar.FailedShareText(), "0.0%") << "no test yet divides by nothing";
}

TEST(SignalStrengthBar, SegmentEdgesUseIntegerArithmetic)
{
    struct Case {
        int total, acceptable, perfect, width;
        int greenEnd, yellowBegin, yellowEnd;
    };
    const Case cases[] = {
        {3, 2, 1, 100, 33, 33, 66},  // truncation, not rounding
        {3, 3, 0, 100, 0, 0, 100},   // no perfect test: yellow from the left edge
        {5, 0, 0, 100, 0, 0, 0},     // all failed: no green, no yellow
        {2, 2, 2, 7, 7, 0, 0},       // all perfect: no yellow
    };
    for (const Case& c : cases) {
        CSignalStrengthBar bar;
        for (int i = 0; i < c.total; ++i)
            bar.AddTest();
        for (int i = 0; i < c.acceptable; ++i)
            bar.AddAcceptable();
        for (int i = 0; i < c.perfect; ++i)
            bar.AddPerfect();
        const auto s = bar.Layout(0, c.width);
        EXPECT_EQ(s.green.end, c.greenEnd) << c.total << "/" << c.acceptable << "/" << c.perfect;
        EXPECT_EQ(s.yellow.begin, c.yellowBegin) << c.total << "/" << c.acceptable << "/" << c.perfect;
        EXPECT_EQ(s.yellow.end, c.yellowEnd) << c.total << "/" << c.acceptable << "/" << c.perfect;
    }
}

// Runs the test against the kit: each tick moves time on by the timer's period and lets the
// comms side run what was queued.
struct KitRun {
    explicit KitRun(const sim::KitOptions& options = test::FastKit()) : rig(options), server(rig), test(rig.state) {}
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i) {
            test.Tick(now);
            server.RunAll();
            now += SignalStrengthTest::kTickMs;
        }
    }
    test::InProcessRig rig;
    test::QueueServer server;
    SignalStrengthTest test;
    int64_t now = 0;
};

TEST(SignalStrengthTestKit, CountsFollowEachOutstationsLinkQuality)
{
    KitRun run;
    run.rig.Kit().SetLinkQuality(2, sim::LinkQuality::Acceptable);
    run.rig.Kit().SetLinkQuality(3, sim::LinkQuality::Failed);
    run.Ticks(2);
    ASSERT_TRUE(run.test.SearchDone());
    EXPECT_EQ(run.test.Searches(), 1) << "all three answered the first search";
    run.Ticks(2 * 3 * 5);  // two ticks per test: five rounds
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(run.test.Bar(i).Total(), 5) << i;
    }
    EXPECT_EQ(run.test.Bar(0).Perfect(), 5);
    EXPECT_EQ(run.test.Bar(1).Perfect(), 0);
    EXPECT_EQ(run.test.Bar(1).Acceptable(), 5);
    EXPECT_EQ(run.test.Bar(2).Acceptable(), 0);
    EXPECT_EQ(run.test.Bar(2).Failed(), 5);
}

// A count of `total` independent tests, each counted with probability `share`, lies within four
// standard deviations of its mean for all but about one seed in 15 000; a link drawn from the
// wrong shares, or a judgement that counts a test in the wrong row, lands far outside.
void ExpectBinomialCount(int count, int total, double share, const std::string& what)
{
    const double mean = total * share;
    const double spread = 4.0 * std::sqrt(total * share * (1.0 - share));
    EXPECT_NEAR(count, mean, spread) << what << ": " << count << " of " << total;
}

TEST(SignalStrengthTestKit, MixedLinksShowTheirSharesOverManyTests)
{
    constexpr int kTests = 400;
    struct Link {
        int unit;
        sim::LinkShares shares;  // in hundredths
    };
    const Link links[] = {{1, {70, 20, 10}}, {2, {60, 25, 15}}};
    for (const uint64_t seed : {1u, 2u, 3u}) {
        sim::KitOptions options = test::FastKit();
        options.seed = seed;
        options.units[3].on = false;  // yellow out of range
        for (const Link& link : links) {
            options.units[link.unit].linkQuality = link.shares;
        }
        KitRun run(options);
        run.Ticks(2 * SignalStrengthTest::kMaxSearches);
        ASSERT_TRUE(run.test.SearchDone());
        ASSERT_FALSE(run.test.Found(2));
        run.Ticks(2 * 2 * kTests);  // two ticks per test, red and blue in turn
        EXPECT_EQ(run.test.Bar(2).Total(), 0);
        for (const Link& link : links) {
            const CSignalStrengthBar& bar = run.test.Bar(link.unit - 1);
            const std::string unit = "seed " + std::to_string(seed) + " unit " + std::to_string(link.unit);
            ASSERT_EQ(bar.Total(), kTests) << unit;
            ExpectBinomialCount(bar.Perfect(), kTests, link.shares.perfect / 100, unit + " perfect");
            ExpectBinomialCount(bar.Acceptable() - bar.Perfect(), kTests, link.shares.acceptable / 100,
                                unit + " acceptable, not perfect");
            ExpectBinomialCount(bar.Failed(), kTests, link.shares.failed / 100, unit + " failed");
        }
    }
}

TEST(SignalStrengthTestKit, OnlyBlueFoundGetsEveryTestAndFlipsTheFlag)
{
    KitRun run;
    run.rig.Kit().SetUnitOn(1, false);
    run.rig.Kit().SetUnitOn(3, false);
    run.Ticks(2 * SignalStrengthTest::kMaxSearches);
    ASSERT_TRUE(run.test.SearchDone());
    EXPECT_TRUE(run.test.Found(1));
    EXPECT_FALSE(run.test.Found(0));
    EXPECT_FALSE(run.test.Found(2));
    EXPECT_EQ(run.test.Searches(), 4);
    const size_t before = run.server.ran.size();
    run.Ticks(6);
    std::vector<int> flags;
    for (size_t i = before; i < run.server.ran.size(); ++i) {
        ASSERT_EQ(run.server.ran[i].code, TM_TEST_RADIO_COMMS);
        EXPECT_EQ(run.server.ran[i].unit, 2);
        flags.push_back(run.server.ran[i].flag);
    }
    EXPECT_EQ(flags, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(run.test.Bar(1).Total(), 3);
}

TEST(SignalStrengthTestKit, NoOutstationFoundSendsNoTest)
{
    KitRun run;
    for (int unit = 1; unit <= 3; ++unit) {
        run.rig.Kit().SetUnitOn(unit, false);
    }
    run.Ticks(20);
    EXPECT_TRUE(run.test.SearchDone());
    EXPECT_EQ(run.test.Searches(), 4);
    for (const LinkCommand& c : run.server.ran) {
        EXPECT_EQ(c.code, TM_GET_SENSOR_STATUS);
    }
    EXPECT_EQ(run.server.ran.size(), 4u);
}

// Nobody serves the queue (no port open): every wait ends by its time-out.
TEST(SignalStrengthTestTimeouts, UnansweredSearchEndsAsNotFound)
{
    CLinkState link;
    SignalStrengthTest test(link);
    int64_t now = 0;
    for (int i = 0; i < 100000 && !test.SearchDone(); ++i) {
        test.Tick(now);
        now += SignalStrengthTest::kTickMs;
    }
    ASSERT_TRUE(test.SearchDone());
    EXPECT_EQ(test.Searches(), 4);
    EXPECT_GE(now, 4 * SignalStrengthTest::kStatusTimeoutMs);
    EXPECT_TRUE(link.IsQueueEmpty()) << "the unanswered requests are not left to pile up";
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(test.Found(i));
    }
}

TEST(SignalStrengthTestTimeouts, UnfinishedRadioTestCountsAsFailed)
{
    CLinkState link;
    SignalStrengthTest test(link);
    test.Tick(0);                       // search
    link.UpdateUnitPresence(2, 2, 14);  // red answers
    link.SetSensorStatusUpdated(true);
    test.Tick(20);  // found red, missing others: search again
    // No further answers (the reset button): the remaining searches run out.
    int64_t now = 40;
    while (!test.SearchDone()) {
        test.Tick(now);
        now += SignalStrengthTest::kTickMs;
    }
    ASSERT_TRUE(test.Found(0));
    test.Tick(now);  // posts the test to red
    EXPECT_EQ(test.GetState(), SignalStrengthTest::State::WaitForResult);
    test.Tick(now + SignalStrengthTest::kResultTimeoutMs - 1);
    EXPECT_EQ(test.Bar(0).Total(), 0) << "still within its time";
    test.Tick(now + SignalStrengthTest::kResultTimeoutMs);
    EXPECT_EQ(test.Bar(0).Total(), 1);
    EXPECT_EQ(test.Bar(0).Failed(), 1);
    EXPECT_TRUE(link.IsQueueEmpty());
    EXPECT_EQ(test.GetState(), SignalStrengthTest::State::NextTest);
}

}  // namespace
}  // namespace korvanta
