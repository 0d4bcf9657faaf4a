#pragma once

#include <filesystem>

namespace korvanta {

// The folder of the running executable, where the program's data files lie; "." when the
// platform cannot say.
std::filesystem::path ProgramFolder();

}  // namespace korvanta
