#pragma once

#include <string>

#include "core/export/ResultReport.h"

namespace korvanta {

// The result as plain text for the clipboard (UTF-8; the clipboard converts it).
std::string BuildCopyText(const ResultReport& report);

}  // namespace korvanta
