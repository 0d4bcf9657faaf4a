#pragma once

#include <filesystem>
#include <string>

#include "core/document/CKorvantaDoc.h"
#include "core/threestation/CThreeStationResult.h"

namespace korvanta::cli {

// The three pairs' delays and qualities and the result computed from them, as one JSON object:
// what show3 prints for a file and measure3 for a measurement.
std::string ThreeStationJson(const CKorvantaDoc& doc, const CThreeStationResult& result);

// The program's data files (Database2.bin, the .fd files) lie beside the executable.
std::filesystem::path ProgramDataFolder();

}  // namespace korvanta::cli
