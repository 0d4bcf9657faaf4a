#include "sim/recording/WholeFile.h"

#include <filesystem>
#include <fstream>

namespace korvanta::sim {

bool ReadWholeFile(const std::string& path, uint64_t maxBytes, std::string& bytes, std::string& error)
{
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        error = path + " is not a file that can be read";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        error = "cannot read " + path;
        return false;
    }
    if (static_cast<uint64_t>(size) > maxBytes) {
        error = path + " is larger than " + std::to_string(maxBytes >> 20) + " MiB";
        return false;
    }
    in.seekg(0, std::ios::beg);
    std::string contents(static_cast<size_t>(size), '\0');
    if (!in.read(contents.data(), size)) {
        error = "cannot read " + path;
        return false;
    }
    bytes = std::move(contents);
    return true;
}

}  // namespace korvanta::sim
