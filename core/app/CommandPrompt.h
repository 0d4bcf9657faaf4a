#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// What the status bar says about a menu command while it is highlighted: the part of the string
// under the command's own ID before its first '\n' (the rest is a tooltip), or empty when the
// command has none.
std::string CommandPrompt(uint32_t id);

}  // namespace korvanta
