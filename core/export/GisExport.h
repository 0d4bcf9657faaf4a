#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/export/ResultReport.h"

namespace korvanta {

// The base of the two export files: the chosen path less a three-letter extension ("måling.txt"
// and "måling" both give "måling"; "a.b" stays "a.b"). Paths of fewer than four characters are
// taken as they are.
std::string ExportBasePath(std::string_view chosen);

// Writes base + ".csv" and base + ".bmp", each through a temporary file that replaces the old one
// only when complete. On failure `error` names the file and the reason.
bool WriteGisExport(const std::filesystem::path& chosen, const ResultReport& report, std::string_view gisCode,
                    std::string& error);

}  // namespace korvanta
