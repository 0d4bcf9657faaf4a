// The scenario fields of a buried pipe: its soil and a measured wavenumber, read and refused when
// wrong, with the fault named by its place in the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sim/scenario/ScenarioParser.h"

namespace korvanta::sim {
namespace {

const std::filesystem::path kTestData = std::filesystem::path(KORVANTA_DATA_DIR).parent_path() / "tests" / "data";

const std::string kMdpe = R"("lengthM": 200, "material": "pe80", "innerDiameterMm": 158, "wallMm": 11)";

bool Parse(const std::string& text, Scenario& scenario, std::string& error)
{
    return ScenarioParser::Parse(text, kTestData, scenario, error);
}

TEST(ScenarioPipeFields, SoilAndAMeasuredWavenumberAreRead)
{
    Scenario scenario;
    std::string error;
    ASSERT_TRUE(Parse(R"({"pipe": [{)" + kMdpe + R"(, "youngsModulusGPa": 2.1, "wallDensityKgPerM3": 950,
                  "soil": {"densityKgPerM3": 1950, "shearSpeedMps": 110, "movingMassKgPerM2": 120}},
                 {)" + kMdpe +
                          R"(, "soilLossDbPerMetreAt100Hz": 0.2,
                  "measuredWavenumber": {"file": "buried-mdpe-wavenumber.txt", "fromHz": 100, "toHz": 800}},
                 {)" + kMdpe +
                          R"(}]})",
                      scenario, error))
        << error;
    const auto& sections = scenario.scene.pipe.Sections();
    ASSERT_EQ(sections.size(), 3u);
    ASSERT_TRUE(sections[0].soil);
    EXPECT_EQ(sections[0].soil->densityKgPerM3, 1950.0);
    EXPECT_EQ(sections[0].soil->shearSpeedMps, 110.0);
    EXPECT_EQ(sections[0].soil->massKgPerM2, 120.0);
    EXPECT_EQ(sections[0].wallDensityKgPerM3, 950.0);
    // The stated soil replaces the material's soil loss; a stated figure adds to the table's.
    EXPECT_EQ(sections[0].soilLossDbPerMetreAt100Hz, 0.0);
    ASSERT_TRUE(sections[1].measured);
    EXPECT_EQ(sections[1].measured->FromHz(), 100.0);
    EXPECT_EQ(sections[1].soilLossDbPerMetreAt100Hz, 0.2);
    EXPECT_NEAR(-sections[1].Wavenumber(scenario.scene.pipe.WaterProperties(), 100.0).imag() * 8.685889638065036,
                1.36 + 0.2, 0.03);
    // A section without soil keeps the material's figures and its one speed.
    EXPECT_FALSE(sections[2].Dispersive());
    EXPECT_EQ(sections[2].soilLossDbPerMetreAt100Hz, 0.5);
    EXPECT_EQ(sections[2].wallDensityKgPerM3, 940.0);
}

TEST(ScenarioPipeFields, WrongSoilsAndTablesAreRefusedByTheirPlace)
{
    struct Case {
        std::string section;
        std::string fault;
    };
    const Case cases[] = {
        {R"("soil": {"shearSpeedMps": 0})", "pipe[0].soil.shearSpeedMps: must be a number in 1..3000"},
        {R"("soil": {"densityKgPerM3": 100})", "pipe[0].soil.densityKgPerM3: must be a number in 500..5000"},
        {R"("soil": {"movingMassKgPerM2": -1})", "pipe[0].soil.movingMassKgPerM2: must be a number in 0..10000"},
        {R"("soil": {"depthM": 1})", "pipe[0].soil.depthM: is not a field known here"},
        {R"("soil": 3)", "pipe[0].soil: must be an object"},
        {R"("soil": {}, "waveSpeedMps": 400)",
         "pipe: section 1: a measured wave speed cannot be combined with soil or a measured wavenumber"},
        {R"("soil": {}, "measuredWavenumber": {"file": "buried-mdpe-wavenumber.txt", "fromHz": 100})",
         "pipe: section 1: a measured wavenumber already includes the soil"},
        {R"("measuredWavenumber": {"fromHz": 100})", "pipe[0].measuredWavenumber.file: is needed"},
        {R"("measuredWavenumber": {"file": "no-such-table.txt"})", "pipe[0].measuredWavenumber.file: "},
        {R"("measuredWavenumber": {"file": "buried-mdpe-wavenumber.txt", "fromHz": 2000})",
         "pipe[0].measuredWavenumber.file: "},
        {R"("wallDensityKgPerM3": 0)", "pipe[0].wallDensityKgPerM3: must be a number in 100..20000"},
    };
    for (const Case& c : cases) {
        Scenario scenario;
        std::string error;
        EXPECT_FALSE(Parse(R"({"pipe": [{)" + kMdpe + ", " + c.section + "}]}", scenario, error)) << c.section;
        EXPECT_EQ(error.substr(0, c.fault.size()), c.fault) << c.section;
    }
}

}  // namespace
}  // namespace korvanta::sim
