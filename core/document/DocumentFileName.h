#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// The name a document is shown under: the part of its path after the last folder separator
// ('\' or '/'), cut before its first '.'. A path without any separator gives "".
std::string DocumentFileName(std::string_view path);

}  // namespace korvanta
