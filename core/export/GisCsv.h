#pragma once

#include <string>
#include <string_view>

#include "core/export/ResultReport.h"

namespace korvanta {

// One CSV field: as it is, or in double quotes with inner quotes doubled when it holds a comma,
// a quote or a line end, so such a text cannot shift the columns after it.
std::string CsvField(std::string_view text);

// The GIS export's text file: the header line and the data line (no line end after it), in
// Windows-1252. `gisCode` is empty when the user cancelled the code dialog.
std::string BuildGisCsv(const ResultReport& report, std::string_view gisCode);

}  // namespace korvanta
