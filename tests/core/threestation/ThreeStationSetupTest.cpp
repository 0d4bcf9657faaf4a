#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "core/host/IMessageSink.h"
#include "core/pipe/CMaterialDatabase.h"
#include "core/threestation/DistanceEntry.h"
#include "core/threestation/ThreeStationSetup.h"
#include "core/threestation/VelocitySpread.h"
#include "tests/support/TempFolder.h"

namespace korvanta {
namespace {

TEST(ThreeStationSetup, DistanceEntriesAreTakenOnlyAsPlainNumbersWithinTheLimits)
{
    struct Case {
        const char* text;
        UnitSystem units;
        std::optional<float> metres;
    };
    const Case cases[] = {
        {"12.5", UnitSystem::Metric, 12.5f},
        {"1", UnitSystem::Metric, 1.0f},
        {"2000", UnitSystem::Metric, 2000.0f},
        {"120.", UnitSystem::Metric, 120.0f},
        {"2000.1", UnitSystem::Metric, std::nullopt},
        {"0.99", UnitSystem::Metric, std::nullopt},
        {"12.5.1", UnitSystem::Metric, std::nullopt},
        {"-3", UnitSystem::Metric, std::nullopt},
        {"1e3", UnitSystem::Metric, std::nullopt},
        {"", UnitSystem::Metric, std::nullopt},
        {".", UnitSystem::Metric, std::nullopt},
        {" 12", UnitSystem::Metric, std::nullopt},
        {"00012.50", UnitSystem::Metric, std::nullopt},  // longer than the entry takes
        {"6561", UnitSystem::Imperial, 1999.7926f},
        {"6562", UnitSystem::Imperial, std::nullopt},
        {"4", UnitSystem::Imperial, 1.2192f},
        {"3", UnitSystem::Imperial, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto metres = ParseDistanceEntry(c.text, c.units);
        ASSERT_EQ(metres.has_value(), c.metres.has_value());
        if (metres) {
            EXPECT_NEAR(*metres, *c.metres, 1e-3f);
        }
    }
}

TEST(ThreeStationSetup, TheRangeMessageGivesTheLimitsInTheUsersUnit)
{
    EXPECT_EQ(DistanceRangeMessage(UnitSystem::Metric),
              "Fejl i indtastede data!\r\n\r\nData skal være i området 1 - 2000");
    EXPECT_EQ(DistanceRangeMessage(UnitSystem::Imperial),
              "Fejl i indtastede data!\r\n\r\nData skal være i området 4 - 6561");
}

TEST(ThreeStationSetup, ARangeSpansThePairAtTheSlowestVelocity)
{
    struct Case {
        float metres;
        float slowest;
        uint32_t range;
    };
    const Case cases[] = {
        {700.0f, 1000.0f, 0},  {754.0f, 1000.0f, 0},  {755.0f, 1000.0f, 1},  {800.0f, 1000.0f, 1},
        {1900.0f, 1000.0f, 1}, {2264.0f, 1000.0f, 1}, {2265.0f, 1000.0f, 2}, {1.0f, 0.0f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.metres);
        EXPECT_EQ(ThreeStationSetup::RangeForDistance(c.metres, c.slowest), c.range);
    }
}

// A database of the default files with a few materials of the test's own in front.
class SetupWithDatabase : public testing::Test {
protected:
    SetupWithDatabase()
    {
        folder_.AddDefaultDataFiles();
        database_ = std::make_unique<CMaterialDatabase>(folder_.Path(), messages_);
        std::array<Material, kMaxMaterials> materials{};
        database_->CopyOut(materials);
        // 0: velocities 1000 and 1400 behind an empty first entry; bands by travel time.
        Material& mixed = materials[0];
        std::memset(mixed.velocities, 0, sizeof(mixed.velocities));
        mixed.velocities[1] = 1000.0f;
        mixed.velocities[2] = 1400.0f;
        const float lows[3] = {200.0f, 100.0f, 30.0f};
        const float highs[3] = {1000.0f, 700.0f, 400.0f};
        std::memcpy(mixed.lowCutoffs, lows, sizeof(lows));
        std::memcpy(mixed.highCutoffs, highs, sizeof(highs));
        // 1: no velocities at all.
        std::memset(materials[1].velocities, 0, sizeof(materials[1].velocities));
        // 2: a class without a high cut-off.
        materials[2].highCutoffs[2] = 0.0f;
        database_->CopyIn(materials);
        database_->SetSaveAtExit(false);
    }

    test::TempFolder folder_;
    NullMessageSink messages_;
    std::unique_ptr<CMaterialDatabase> database_;
};

TEST_F(SetupWithDatabase, FinishDerivesRangesBoundsAndMeanFromTheChosenMaterial)
{
    ThreeStationSetup setup;
    setup.SetRedBlue(700.0f);
    setup.SetBlueYellow(1200.0f);
    EXPECT_EQ(setup.RedYellow(), 1900.0f);
    setup.Finish(*database_, 0, {50.0f, 600.0f});
    // The empty first entry is skipped: the slowest velocity is 1000, not 0.
    EXPECT_EQ(setup.Ranges(), (std::array<uint32_t, 3>{0, 1, 1}));
    EXPECT_EQ(setup.LowerVelocityBound(), 1000.0f);
    EXPECT_EQ(setup.UpperVelocityBound(), 1400.0f);
    EXPECT_EQ(setup.MeanVelocity(), 1200.0f);
    EXPECT_EQ(setup.Cutoffs(), (CutoffPair{50.0f, 600.0f}));
    const auto pairs = setup.PairRecords();
    EXPECT_EQ(pairs[2], (ThreeStationPair{2, 0.0f, 1900.0f, 1, 0.0f}));
}

TEST_F(SetupWithDatabase, AMaterialWithoutVelocitiesLeavesNothingToJudgeBy)
{
    ThreeStationSetup setup;
    setup.SetRedBlue(100.0f);
    setup.SetBlueYellow(100.0f);
    setup.Finish(*database_, 1, {});
    EXPECT_EQ(setup.LowerVelocityBound(), 0.0f);
    EXPECT_EQ(setup.UpperVelocityBound(), 0.0f);
    EXPECT_EQ(setup.MeanVelocity(), 0.0f);
    EXPECT_EQ(setup.Ranges(), (std::array<uint32_t, 3>{2, 2, 2}));
}

TEST_F(SetupWithDatabase, WithoutAMaterialTheBoundsCoverEveryMaterialAndTheMeanIsZero)
{
    ThreeStationSetup setup;
    setup.SetRedBlue(120.0f);
    setup.SetBlueYellow(180.0f);
    setup.Finish(*database_, ThreeStationSetup::kNoMaterial, {});
    VelocitySpread expected;
    bool any = false;
    for (int i = 0; i < kMaxMaterials; ++i) {
        const Material* material = database_->GetMaterial(i);
        if (material->inUse != 1) {
            continue;
        }
        for (float v : material->velocities) {
            if (v > 0.0f) {
                expected.smallest = any ? std::min(expected.smallest, v) : v;
                expected.largest = any ? std::max(expected.largest, v) : v;
                any = true;
            }
        }
    }
    ASSERT_TRUE(any);
    EXPECT_EQ(setup.LowerVelocityBound(), expected.smallest);
    EXPECT_EQ(setup.UpperVelocityBound(), expected.largest);
    EXPECT_EQ(setup.MeanVelocity(), 0.0f);
    EXPECT_EQ(setup.Ranges()[2], ThreeStationSetup::RangeForDistance(300.0f, expected.smallest));
}

TEST_F(SetupWithDatabase, TheDefaultBandIsTheWidestOverTheTravelTimesTheMaterialAllows)
{
    ThreeStationSetup setup;
    setup.SetRedBlue(70.0f);
    setup.SetBlueYellow(70.0f);
    // 140 m: 0.1 s at 1400 m/s (first class), 0.14 s at 1000 m/s (second class).
    EXPECT_EQ(setup.DefaultCutoffs(*database_, 0), (CutoffPair{100.0f, 1000.0f}));
    EXPECT_EQ(setup.DefaultCutoffs(*database_, ThreeStationSetup::kNoMaterial), (CutoffPair{}));

    // Material 2's longest travel class has no high cut-off, so neither has the band.
    const float slowest = database_->MinimumVelocity(2);
    setup.SetRedBlue(slowest * 0.15f);
    setup.SetBlueYellow(slowest * 0.15f);
    EXPECT_EQ(setup.DefaultCutoffs(*database_, 2).high, 0.0f);
}

TEST(ThreeStationSetup, CutoffsReadAsTheWizardAndTheFormShowThem)
{
    EXPECT_EQ(CutoffText(1220.0f, "%0.2f"), "Høj");
    EXPECT_EQ(CutoffText(1500.0f, "%0.1f"), "Høj");
    EXPECT_EQ(CutoffText(0.0f, "%0.2f"), "Åben");
    EXPECT_EQ(CutoffText(12.345f, "%0.2f"), "12.35");
    EXPECT_EQ(CutoffText(1219.9f, "%0.1f"), "1219.9");
}

}  // namespace
}  // namespace korvanta
