#pragma once

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "core/link/SteadyClock.h"
#include "core/pipe/PipeSection.h"
#include "sim/scenario/CrewVelocity.h"
#include "sim/scenario/ScenarioFile.h"
#include "sim/scenario/ScenarioKitOptions.h"
#include "sim/scenario/ScenarioParser.h"

namespace korvanta::e2e {

inline std::filesystem::path ScenarioFolder()
{
    return std::filesystem::path(KORVANTA_DATA_DIR).parent_path() / "docs" / "scenarios";
}

// A shipped scenario, or an empty one (and a test failure) when it cannot be read.
inline std::shared_ptr<sim::Scenario> ShippedScenario(const std::string& name)
{
    auto scenario = std::make_shared<sim::Scenario>();
    std::string error;
    EXPECT_TRUE(sim::LoadScenarioFile((ScenarioFolder() / name).string(), *scenario, error)) << error;
    return scenario;
}

// A scenario written out in the test, on top of the defaults.
inline std::shared_ptr<sim::Scenario> ScenarioFromText(const std::string& text)
{
    auto scenario = std::make_shared<sim::Scenario>();
    std::string error;
    EXPECT_TRUE(sim::ScenarioParser::Parse(text, ScenarioFolder(), *scenario, error)) << error;
    return scenario;
}

// The kit for a scenario, unpaced so that a test does not wait for the real block rate.
inline sim::KitOptions FastScenarioKit(std::shared_ptr<const sim::Scenario> scenario)
{
    sim::KitOptions options = sim::ScenarioKitOptions(std::move(scenario));
    options.paced = false;
    return options;
}

// The program's material index of a scenario's material name (ductile iron for one it lacks).
inline int16_t MaterialIndex(const std::string& name)
{
    return sim::ProgramMaterialIndex(name).value_or(2);
}

// The pipe as the user enters it: each section with the velocity the wave really has there.
inline PipeSections UserPipe(const sim::Scenario& scenario)
{
    PipeSections pipe{};
    const auto& sections = scenario.scene.pipe.Sections();
    for (size_t i = 0; i < sections.size() && i < pipe.size(); ++i) {
        pipe[i].materialIndex = MaterialIndex(sections[i].material);
        pipe[i].length = static_cast<float>(sections[i].lengthMetres);
        pipe[i].diameter = static_cast<float>(sections[i].innerDiameterMm);
        pipe[i].velocity = static_cast<float>(sections[i].WaveSpeed(scenario.scene.pipe.WaterProperties()));
        pipe[i].inUse = 1;
    }
    return pipe;
}

// The pipe as a crew enters it: each section with the velocity the crew would enter.
inline PipeSections CrewPipe(const sim::Scenario& scenario, const CMaterialDatabase& materials)
{
    PipeSections pipe = UserPipe(scenario);
    for (size_t i = 0; i < scenario.scene.pipe.Sections().size() && i < pipe.size(); ++i) {
        pipe[i].velocity = static_cast<float>(sim::EnteredVelocity(scenario, i, materials));
    }
    return pipe;
}

// The wave speed at a place along the scenario's pipe.
inline double LocalVelocity(const sim::Scenario& scenario, double metres)
{
    double start = 0.0;
    const auto& sections = scenario.scene.pipe.Sections();
    for (const sim::AcousticSection& section : sections) {
        if (metres < start + section.lengthMetres || &section == &sections.back()) {
            return section.WaveSpeed(scenario.scene.pipe.WaterProperties());
        }
        start += section.lengthMetres;
    }
    return 0.0;
}

// A document on the kit as KitRig has it, but on real time: for faults whose cost is the link's
// own retransmission time, which a faster program clock would not wait for.
using RealTimeRig = BasicKitRig<SteadyClock>;

}  // namespace korvanta::e2e
