#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace korvanta {

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only when every
// byte reached the disk, so a failed write never destroys the file that was there.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes, std::string& error);

}  // namespace korvanta
