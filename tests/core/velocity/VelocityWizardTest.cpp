#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/text/StringIds.h"
#include "core/velocity/VelocityWizardChecks.h"

namespace korvanta {
namespace {

TEST(VelocityWizardTest, StartRefusesShortDelaysAndOtherThanOneSection)
{
    struct Case {
        float delay;
        int sections;
        std::optional<uint32_t> message;
    };
    const Case cases[] = {
        {0.005f, 1, str::kInvalidDelay},  {-0.005f, 1, str::kInvalidDelay},
        {0.01f, 1, str::kInvalidDelay},  // the float nearest 0.01 lies just below it
        {0.0100001f, 1, std::nullopt},    {-0.02f, 1, std::nullopt},
        {0.02f, 2, str::kOnlyOneSection}, {0.02f, 0, str::kOnlyOneSection},
        {0.005f, 2, str::kInvalidDelay},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckWizardStart(c.delay, c.sections), c.message) << c.delay << " " << c.sections;
    }
}

TEST(VelocityWizardTest, PageChecks)
{
    EXPECT_EQ(CheckPipeLength(0.09f, UnitSystem::Metric), str::kInvalidLengthMetric);
    EXPECT_EQ(CheckPipeLength(0.1f, UnitSystem::Metric), std::nullopt);
    EXPECT_EQ(CheckPipeLength(0.3f, UnitSystem::Imperial), str::kInvalidLengthImperial);
    EXPECT_EQ(CheckPipeLength(0.33f, UnitSystem::Imperial), std::nullopt);

    struct Case {
        int choice;
        float distance;
        std::optional<uint32_t> error;
        std::optional<uint32_t> note;
    };
    const Case cases[] = {
        {-1, 0.0f, str::kLeakPositionNotChosen, std::nullopt},
        {1, 500.0f, std::nullopt, std::nullopt},  // outside: the distance does not matter
        {0, -1.0f, str::kDistanceNotValid, std::nullopt},
        {0, 100.5f, str::kDistanceNotValid, std::nullopt},
        {0, NAN, str::kDistanceNotValid, std::nullopt},
        {0, 45.0f, std::nullopt, str::kLeakNearMiddle},
        {0, 40.0f, std::nullopt, std::nullopt},
        {0, 60.0f, std::nullopt, std::nullopt},
        {0, 100.0f, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const SourcePositionCheck check = CheckSourcePosition(c.choice, c.distance, 100.0f);
        EXPECT_EQ(check.error, c.error) << c.choice << " " << c.distance;
        EXPECT_EQ(check.note, c.note) << c.choice << " " << c.distance;
    }

    EXPECT_EQ(CheckSaveChoice(0.5f, UnitSystem::Metric, 0), str::kInvalidDiameterMetric);
    EXPECT_EQ(CheckSaveChoice(0.03f, UnitSystem::Imperial, 0), str::kInvalidDiameterImperial);
    EXPECT_EQ(CheckSaveChoice(110.0f, UnitSystem::Metric, -1), str::kSelectedMaterialError);
    EXPECT_EQ(CheckSaveChoice(110.0f, UnitSystem::Metric, 20), str::kSelectedMaterialError);
    EXPECT_EQ(CheckSaveChoice(110.0f, UnitSystem::Metric, 19), std::nullopt);
}

TEST(VelocityWizardTest, VelocityFromLengthDistanceAndDelay)
{
    struct Case {
        float length;
        bool between;
        float distance;
        float delay;
        std::optional<uint32_t> error;
        float velocity;
    };
    const Case cases[] = {
        {100.0f, true, 45.0f, 0.02f, std::nullopt, 500.0f},
        {100.0f, true, 45.0f, -0.02f, std::nullopt, 500.0f},  // never negative
        {100.0f, true, 55.0f, 0.02f, std::nullopt, 500.0f},
        {100.0f, false, 0.0f, 0.1f, std::nullopt, 1000.0f},
        {100.0f, true, 45.0f, 0.0f, str::kInvalidDelay, 0.0f},
        {100.0f, true, 50.0f, 0.02f, str::kLeakNearMiddle, 0.0f},    // the source in the middle: 0 m/s
        {100.0f, true, 49.995f, 0.02f, str::kLeakNearMiddle, 0.0f},  // about 0.5 m/s
        {0.1f, false, 0.0f, 0.2f, str::kInvalidDelay, 0.0f},         // 0.5 m/s
    };
    for (const Case& c : cases) {
        const WizardVelocity result = ComputeWizardVelocity(c.length, c.between, c.distance, c.delay);
        EXPECT_EQ(result.error, c.error) << c.distance << " " << c.delay;
        if (!c.error) {
            EXPECT_FLOAT_EQ(result.metresPerSecond, c.velocity);
        }
    }
}

TEST(VelocityWizardTest, VelocityShownAndHandedBackInTheUsersUnits)
{
    EXPECT_EQ(WizardVelocityText(VelocityInUserUnits(500.0f, UnitSystem::Metric, TimeUnit::Seconds), TimeUnit::Seconds),
              "500");
    const float perMs = VelocityInUserUnits(500.0f, UnitSystem::Metric, TimeUnit::Milliseconds);
    EXPECT_EQ(WizardVelocityText(perMs, TimeUnit::Milliseconds), "0.50");
    EXPECT_FLOAT_EQ(VelocityFromUserUnits(perMs, UnitSystem::Metric, TimeUnit::Milliseconds), 500.0f);
    const float feet = VelocityInUserUnits(1000.0f, UnitSystem::Imperial, TimeUnit::Seconds);
    EXPECT_EQ(WizardVelocityText(feet, TimeUnit::Seconds), "3281");
    // Back through the single-precision foot: within a few parts per million of where it started.
    EXPECT_NEAR(VelocityFromUserUnits(feet, UnitSystem::Imperial, TimeUnit::Seconds), 1000.0f, 0.01f);
}

Material TableOf(std::initializer_list<std::pair<float, float>> pairs)
{
    Material material;
    int k = 0;
    for (const auto& [diameter, velocity] : pairs) {
        material.diameters[k] = diameter;
        material.velocities[k++] = velocity;
    }
    return material;
}

TEST(VelocityWizardTest, InsertingIntoAMaterialsTable)
{
    Material material = TableOf({{100.0f, 1200.0f}, {125.0f, 1150.0f}});
    ASSERT_TRUE(InsertVelocityPair(material, 110.0f, 999.0f));
    EXPECT_EQ(std::vector<float>(material.diameters, material.diameters + 4),
              (std::vector<float>{100.0f, 110.0f, 125.0f, 0.0f}));
    EXPECT_EQ(std::vector<float>(material.velocities, material.velocities + 4),
              (std::vector<float>{1200.0f, 999.0f, 1150.0f, 0.0f}));
    ASSERT_TRUE(InsertVelocityPair(material, 100.0f, 1300.0f));
    EXPECT_EQ(material.velocities[0], 1300.0f);
    EXPECT_EQ(material.diameters[3], 0.0f) << "replacing adds no entry";
    ASSERT_TRUE(InsertVelocityPair(material, 300.0f, 900.0f));
    EXPECT_EQ(material.diameters[3], 300.0f) << "appended after the largest";

    Material full;
    for (int k = 0; k < kMaxVelocityEntries; ++k) {
        full.diameters[k] = 10.0f * static_cast<float>(k + 1);
        full.velocities[k] = 1000.0f;
    }
    const Material before = full;
    EXPECT_FALSE(InsertVelocityPair(full, 15.0f, 1.0f));
    EXPECT_EQ(std::memcmp(&full, &before, sizeof full), 0);
    EXPECT_TRUE(InsertVelocityPair(full, 20.0f, 2.0f)) << "an equal diameter fits a full table";
    EXPECT_EQ(full.velocities[1], 2.0f);
}

TEST(VelocityWizardTest, MaterialNamesStopAtTheFirstUnusedAndIconFollowsThePair)
{
    std::array<Material, kMaxMaterials> materials{};
    for (int k : {0, 1, 3}) {
        materials[k].inUse = 1;
        std::snprintf(materials[k].name, sizeof materials[k].name, "M%d", k);
    }
    EXPECT_EQ(WizardMaterialNames(materials), (std::vector<std::string>{"M0", "M1"}));
    materials[0].inUse = 0;
    EXPECT_TRUE(WizardMaterialNames(materials).empty());

    const std::pair<uint32_t, int> icons[] = {{3, 140}, {5, 141}, {6, 140}, {9, 153}, {10, 140}, {12, 141}, {0, 140}};
    for (const auto& [code, icon] : icons) {
        EXPECT_EQ(WizardSensorIcon(code), icon) << code;
    }
}

}  // namespace
}  // namespace korvanta
