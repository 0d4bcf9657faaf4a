#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace korvanta::test {

// The bytes of a whole file; empty when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace korvanta::test
