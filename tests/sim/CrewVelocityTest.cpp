// The velocity a crew enters: the program's material table for the section's material and
// diameter, or what the scenario states (a figure, or an error against the true speed).
#include <gtest/gtest.h>

#include <string>

#include "core/host/IMessageSink.h"
#include "core/pipe/CMaterialDatabase.h"
#include "sim/scenario/CrewVelocity.h"
#include "sim/scenario/ScenarioParser.h"
#include "tests/support/TempFolder.h"

namespace korvanta::sim {
namespace {

Scenario Parsed(const std::string& pipe)
{
    Scenario scenario;
    std::string error;
    EXPECT_TRUE(ScenarioParser::Parse(R"({"pipe": [)" + pipe + "]}", "/scenarios", scenario, error)) << error;
    return scenario;
}

class CrewVelocityTest : public testing::Test {
protected:
    CrewVelocityTest() { folder_.AddDefaultDataFiles(); }

    test::TempFolder folder_;
    NullMessageSink sink_;
};

TEST_F(CrewVelocityTest, ACrewEntersTheTablesVelocityOrWhatTheScenarioStates)
{
    const CMaterialDatabase materials(folder_.Path(), sink_);
    const Scenario s = Parsed(R"(
        {"lengthM": 100, "material": "ductile-iron", "innerDiameterMm": 158, "wallMm": 6},
        {"lengthM": 50, "material": "pe80", "innerDiameterMm": 158, "wallMm": 11, "enteredVelocityMps": 380},
        {"lengthM": 50, "material": "pvc", "innerDiameterMm": 101.4, "wallMm": 4.3, "enteredVelocityErrorPercent": -4},
        {"lengthM": 50, "innerDiameterMm": 100, "wallMm": 8, "youngsModulusGPa": 100, "lossFactor": 0.01})");
    const Water& water = s.scene.pipe.WaterProperties();
    const auto& sections = s.scene.pipe.Sections();
    // The table's DN150 ductile iron (water at 10 C), not the 1282 m/s the simulated wave has.
    EXPECT_FLOAT_EQ(static_cast<float>(EnteredVelocity(s, 0, materials)), materials.GetVelocityForDiameter(2, 158.0f));
    EXPECT_NEAR(EnteredVelocity(s, 0, materials), 1257.0, 1.0);
    EXPECT_GT(sections[0].WaveSpeed(water) - EnteredVelocity(s, 0, materials), 20.0);
    EXPECT_EQ(EnteredVelocity(s, 1, materials), 380.0);
    EXPECT_NEAR(EnteredVelocity(s, 2, materials), 0.96 * sections[2].WaveSpeed(water), 1e-9);
    // No material the program knows: taken as measured.
    EXPECT_EQ(EnteredVelocity(s, 3, materials), sections[3].WaveSpeed(water));
}

TEST(CrewVelocity, ProgramMaterialIndicesFollowTheProgramsTable)
{
    EXPECT_EQ(ProgramMaterialIndex("asbestos-cement"), 0);
    EXPECT_EQ(ProgramMaterialIndex("pe100"), 3);
    EXPECT_EQ(ProgramMaterialIndex("pe80"), 7);
    EXPECT_EQ(ProgramMaterialIndex("steel"), 10);
    EXPECT_FALSE(ProgramMaterialIndex("mdpe"));
    EXPECT_FALSE(ProgramMaterialIndex(""));
}

TEST(CrewVelocity, WrongEntriesAreRefusedByTheirPlace)
{
    const std::string section = R"({"lengthM": 10, "material": "pvc", "innerDiameterMm": 100, "wallMm": 4, )";
    struct Case {
        std::string fields;
        std::string fault;
    };
    const Case cases[] = {
        {R"("enteredVelocityMps": 0})", "pipe[0].enteredVelocityMps: must be a number in 1..6000"},
        {R"("enteredVelocityErrorPercent": 60})", "pipe[0].enteredVelocityErrorPercent: must be a number in -50..50"},
        {R"("enteredVelocityMps": 300, "enteredVelocityErrorPercent": 2})",
         "pipe[0].enteredVelocityErrorPercent: cannot be given with enteredVelocityMps"},
    };
    for (const Case& c : cases) {
        Scenario scenario;
        std::string error;
        EXPECT_FALSE(ScenarioParser::Parse(R"({"pipe": [)" + section + c.fields + "]}", "/s", scenario, error));
        EXPECT_EQ(error, c.fault);
    }
}

}  // namespace
}  // namespace korvanta::sim
