#pragma once

#include <filesystem>
#include <string>

namespace korvanta {

// Qt keeps sockets and locks in the session's runtime directory ($XDG_RUNTIME_DIR) and complains
// on every start when there is none, as on a console or in a build without a desktop session.
// When the variable is unset, or names a folder that is not the user's own with mode 0700, a
// private folder is made under `base` (the system's temporary folder by default) and the
// variable is pointed at it. Returns the folder in force, or an empty path when none could be
// made (the variable is then left as it was). Call before any Qt application object exists.
std::filesystem::path EnsureRuntimeDirectory(const std::filesystem::path& base = {});

// True when `folder` is a real folder (not a link) owned by this user with mode 0700.
bool IsPrivateRuntimeDirectory(const std::filesystem::path& folder);

}  // namespace korvanta
