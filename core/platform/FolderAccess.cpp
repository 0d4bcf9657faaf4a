#include "core/platform/FolderAccess.h"

#include <system_error>

#if defined(_WIN32)
#include <fstream>
#include <random>
#include <string>
#else
#include <unistd.h>
#endif

namespace korvanta {

bool CanWriteInFolder(const std::filesystem::path& folder)
{
#if defined(_WIN32)
    // The read-only attribute of a folder does not stop files being made in it; only a try tells.
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return false;
    }
    std::random_device random;
    const std::filesystem::path probe = folder / (".korvanta-probe-" + std::to_string(random()));
    bool written = false;
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        written = out.good();
    }
    std::filesystem::remove(probe, error);
    return written;
#else
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

}  // namespace korvanta
