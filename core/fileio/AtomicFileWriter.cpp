#include "core/fileio/AtomicFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace korvanta {

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes, std::string& error)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp~";
    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    if (!file) {
        error = "cannot create " + temporary.string() + ": " + std::strerror(errno);
        return false;
    }
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        error = "cannot write " + temporary.string() + ": " + std::strerror(errno);
        std::remove(temporary.string().c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        error = "cannot replace " + path.string() + ": " + ec.message();
        std::remove(temporary.string().c_str());
        return false;
    }
    return true;
}

}  // namespace korvanta
