#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/export/PrintedPage.h"

namespace korvanta::print {

// Renders the printed page into a PDF file without a display, for the command-line tool: a
// Qt application on the offscreen platform is made when none runs yet. The file is written
// through a temporary one and replaces `path` only when complete.
bool WritePrintedPagePdf(const std::vector<PageOperation>& page, const std::filesystem::path& path, std::string& error);

}  // namespace korvanta::print
