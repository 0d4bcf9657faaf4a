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

// Whether `chosen` leaves a file name once its extension is taken off ("/", "", "dir/" do not).
bool HasExportBaseName(std::string_view chosen);

// Writes base + ".csv" and base + ".bmp", both or neither: each goes to a temporary file first and
// the old pair is replaced only when both are complete. On failure `error` names the file and the
// reason.
bool WriteGisExport(const std::filesystem::path& chosen, const ResultReport& report, std::string_view gisCode,
                    std::string& error);

}  // namespace korvanta
