#include <gtest/gtest.h>

#include "core/dialogs/SectionEntry.h"
#include "core/text/StringIds.h"
#include "tests/core/dialogs/DialogTestSupport.h"

namespace korvanta {
namespace {

using dialogtest::DefaultDatabase;
using dialogtest::kDuctileIron;
using dialogtest::kPvc;

TEST(SectionEntry, ANewSectionGetsTheVelocityOfItsMaterialInTheUsersUnits)
{
    DefaultDatabase defaults;
    const float pvcAt100 = defaults.db->GetVelocityForDiameter(SectionEntry::kDefaultMaterial, 100.0f);
    ASSERT_GT(pvcAt100, 1.0f);

    SectionEntry metric(*defaults.db, UnitSystem::Metric, TimeUnit::Seconds);
    metric.Open();
    EXPECT_EQ(metric.MaterialIndex(), SectionEntry::kDefaultMaterial);
    EXPECT_FLOAT_EQ(metric.Velocity(), pvcAt100);
    EXPECT_EQ(metric.LengthText(), "100");

    SectionEntry imperialMs(*defaults.db, UnitSystem::Imperial, TimeUnit::Milliseconds);
    imperialMs.Open();
    EXPECT_FLOAT_EQ(imperialMs.Length(), 328.084f);
    EXPECT_FLOAT_EQ(imperialMs.Diameter(), 3.937f);
    EXPECT_FLOAT_EQ(imperialMs.Velocity(), static_cast<float>(pvcAt100 * 3.28084 * 0.001));
    EXPECT_EQ(imperialMs.LengthText(), "328.084");
}

TEST(SectionEntry, ChoosingAMaterialProposesForTheTypedDiameterInMillimetres)
{
    DefaultDatabase defaults;
    SectionEntry entry(*defaults.db, UnitSystem::Imperial, TimeUnit::Seconds);
    entry.Open();
    entry.SetValues(entry.Length(), 4.0f, entry.Velocity());  // 4 ins = 101.6 mm
    entry.ChooseMaterial(kPvc);
    const float expected = defaults.db->GetVelocityForDiameter(kPvc, static_cast<float>(4.0 * 25.4000508001016));
    EXPECT_FLOAT_EQ(entry.Velocity(), static_cast<float>(expected * 3.28084));

    // A material without a table proposes the floor of 1 m/s.
    entry.ChooseMaterial(15);
    EXPECT_FLOAT_EQ(entry.Velocity(), 3.28084f);
}

TEST(SectionEntry, AnEditedSectionKeepsItsOwnVelocity)
{
    DefaultDatabase defaults;
    SectionEntry entry(*defaults.db, UnitSystem::Metric, TimeUnit::Milliseconds);
    PipeSection section = pipetest::Section(kDuctileIron, 30.0f, 1234.0f, 150.0f);
    entry.SetSection(section);
    entry.Open();
    EXPECT_EQ(entry.MaterialIndex(), kDuctileIron);
    EXPECT_FLOAT_EQ(entry.Velocity(), 1.234f);
    EXPECT_NEAR(entry.Result().velocity, 1234.0f, 0.01f);
}

TEST(SectionEntry, OkChecksEachValueAtItsLimitInTheUsersUnits)
{
    DefaultDatabase defaults;
    struct Case {
        UnitSystem units;
        TimeUnit time;
        float length, diameter, velocity;
        uint32_t message;
    };
    const auto m = UnitSystem::Metric;
    const auto i = UnitSystem::Imperial;
    const auto s = TimeUnit::Seconds;
    const auto ms = TimeUnit::Milliseconds;
    for (const Case& c :
         {Case{m, s, 0.1f, 1.0f, 1.0f, str::kNoError}, Case{m, s, 0.0999f, 100.0f, 500.0f, str::kInvalidLengthMetric},
          Case{m, s, 10.0f, 0.99f, 500.0f, str::kInvalidDiameterMetric},
          Case{m, s, 10.0f, 100.0f, 0.99f, str::kInvalidVelocityMetric},
          Case{m, ms, 10.0f, 100.0f, 0.001f, str::kNoError},
          Case{i, s, 0.32f, 4.0f, 1000.0f, str::kInvalidLengthImperial},
          Case{i, s, 0.33f, 4.0f, 1000.0f, str::kNoError},
          Case{i, s, 10.0f, 0.039f, 1000.0f, str::kInvalidDiameterImperial},
          Case{i, s, 10.0f, 0.04f, 1000.0f, str::kNoError},
          Case{i, ms, 10.0f, 4.0f, 0.003f, str::kInvalidVelocityImperial},
          Case{i, ms, 10.0f, 4.0f, 0.0033f, str::kNoError},
          // Length is checked before diameter.
          Case{m, s, 0.0f, 0.0f, 0.0f, str::kInvalidLengthMetric}}) {
        SectionEntry entry(*defaults.db, c.units, c.time);
        entry.Open();
        entry.SetValues(c.length, c.diameter, c.velocity);
        EXPECT_EQ(entry.Check(), c.message) << c.length << " " << c.diameter << " " << c.velocity;
    }
}

TEST(SectionEntry, AMaterialOutsideTheDatabaseIsRefusedFirst)
{
    DefaultDatabase defaults;
    SectionEntry entry(*defaults.db, UnitSystem::Metric, TimeUnit::Seconds);
    entry.Open();
    entry.ChooseMaterial(defaults.db->MaterialCount());  // "Materiale 12": named, not in use
    entry.SetValues(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(entry.Check(), str::kSelectedMaterialError);
}

TEST(SectionEntry, TheListHoldsTheMaterialsInUseNotThePlaceholders)
{
    DefaultDatabase defaults;
    SectionEntry entry(*defaults.db, UnitSystem::Metric, TimeUnit::Seconds);
    const std::vector<MaterialChoice> choices = entry.MaterialChoices();
    ASSERT_EQ(static_cast<int>(choices.size()), defaults.db->MaterialCount());
    for (size_t i = 0; i < choices.size(); ++i) {
        EXPECT_EQ(choices[i].index, static_cast<int>(i));
        EXPECT_FALSE(choices[i].name.starts_with("Materiale")) << choices[i].name;
    }
    EXPECT_EQ(choices[static_cast<size_t>(kPvc)].name, "PVC");
}

TEST(SectionEntry, TheResultIsInStoredUnitsWithTheEntryFactors)
{
    DefaultDatabase defaults;
    SectionEntry entry(*defaults.db, UnitSystem::Imperial, TimeUnit::Milliseconds);
    entry.Open();
    entry.SetValues(100.0f, 4.0f, 3.0f);
    const PipeSection result = entry.Result();
    EXPECT_EQ(result.inUse, 1);
    EXPECT_EQ(result.length, static_cast<float>(100.0f * 0.3047999902464003));
    EXPECT_EQ(result.diameter, static_cast<float>(4.0f * 25.4000508001016));
    EXPECT_EQ(result.velocity, static_cast<float>(3.0f * 0.3047999902464003 * 1000.0));
}

TEST(SectionEntry, TypedValuesMustBeOneNumberBetweenZeroAndTheLimit)
{
    struct Case {
        const char* text;
        uint32_t message;
    };
    for (const Case& c : {Case{"12.5", str::kNoError}, Case{" 100000 ", str::kNoError}, Case{"0", str::kNoError},
                          Case{"100000.5", str::kEnterNumberInRange}, Case{"-1", str::kEnterNumberInRange},
                          Case{"12a", str::kEnterNumber}, Case{"1,5", str::kEnterNumber}, Case{"", str::kEnterNumber},
                          Case{"nan", str::kEnterNumberInRange}}) {
        uint32_t message = 0;
        const auto value = SectionEntry::ReadTypedValue(c.text, message);
        EXPECT_EQ(message, c.message) << c.text;
        EXPECT_EQ(value.has_value(), c.message == str::kNoError) << c.text;
    }
}

}  // namespace
}  // namespace korvanta
