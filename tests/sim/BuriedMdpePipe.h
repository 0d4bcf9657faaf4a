#pragma once

// A buried MDPE water main (inner radius 79 mm, wall 11 mm) whose wavenumber was measured: the
// measured table and the buried-pipe model with the parameters docs/simulator.md gives for it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sim/acoustics/AcousticSection.h"
#include "sim/recording/WholeFile.h"

namespace korvanta::sim::pipetest {

// The measured wavenumber table as the simulator reads it.
inline std::string BuriedMdpeTableText()
{
    const auto path =
        std::filesystem::path(KORVANTA_DATA_DIR).parent_path() / "tests" / "data" / "buried-mdpe-wavenumber.txt";
    std::string text;
    std::string error;
    EXPECT_TRUE(ReadWholeFile(path.string(), 1u << 20, text, error)) << error;
    return text;
}

// The pipe by the buried-pipe model (docs/simulator.md, "The buried pipe").
inline AcousticSection BuriedMdpe()
{
    AcousticSection s;
    s.innerDiameterMm = 158.0;
    s.wallMm = 11.0;
    s.youngsModulusGPa = 2.1;
    s.lossFactor = 0.09;
    s.wallDensityKgPerM3 = 950.0;
    s.soilLossDbPerMetreAt100Hz = 0.0;
    s.soil = BuriedSoil{1950.0, 110.0, 120.0};
    return s;
}

}  // namespace korvanta::sim::pipetest
