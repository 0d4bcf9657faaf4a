#pragma once

#include <filesystem>

namespace korvanta {

// Whether this process may create files in `folder` (and enter it). False for a folder that
// does not exist. Permission bits alone cannot tell (the owner, groups, the superuser and access
// lists all count), so the platform is asked.
bool CanWriteInFolder(const std::filesystem::path& folder);

}  // namespace korvanta
