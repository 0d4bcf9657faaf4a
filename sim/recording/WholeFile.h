#pragma once

#include <cstdint>
#include <string>

namespace korvanta::sim {

// The whole of a file, refusing files above `maxBytes`. False with the reason in `error`.
bool ReadWholeFile(const std::string& path, uint64_t maxBytes, std::string& bytes, std::string& error);

}  // namespace korvanta::sim
