#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

#include "sim/InProcessKit.h"
#include "sim/scenario/ScenarioFile.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {

// The whole program on the in-process kit, unpaced so that the radio's round trips do not slow
// the tests down.
class UnpacedKitAppFixture : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        const std::string scenario = (folder_ / "fast.json").string();
        std::ofstream(scenario) << R"({"description": "unpaced", "paced": false})";
        setenv(sim::kScenarioVariable, scenario.c_str(), 1);
        Start();
        unsetenv(sim::kScenarioVariable);
    }

    CLinkState& Link() { return app_->GetLinkState(); }
    sim::FieldKit& Kit() { return app_->SimulatedKit()->Kit(); }
};

}  // namespace korvanta::test
