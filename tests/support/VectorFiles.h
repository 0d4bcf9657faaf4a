#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace korvanta::test {

inline std::filesystem::path VectorsDir()
{
    return std::filesystem::path(KORVANTA_VECTORS_DIR);
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline nlohmann::json ReadJson(const std::filesystem::path& path)
{
    std::ifstream in(path);
    return nlohmann::json::parse(in);
}

inline std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Names of the sub-folders (or of the files with `extension`) of a vectors folder, sorted.
inline std::vector<std::string> ListCases(const std::filesystem::path& dir, const std::string& extension = "")
{
    std::vector<std::string> names;
    if (!std::filesystem::exists(dir)) {
        return names;
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (extension.empty() ? entry.is_directory() : entry.path().extension() == extension) {
            names.push_back(extension.empty() ? entry.path().filename().string() : entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace korvanta::test
