#include "core/platform/RuntimeDirectory.h"

#include <cstdlib>
#include <system_error>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace korvanta {

#if defined(_WIN32)

bool IsPrivateRuntimeDirectory(const std::filesystem::path&)
{
    return true;
}

std::filesystem::path EnsureRuntimeDirectory(const std::filesystem::path&)
{
    return {};
}

#else

bool IsPrivateRuntimeDirectory(const std::filesystem::path& folder)
{
    struct stat info {};
    if (folder.empty() || ::lstat(folder.c_str(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 0777) == 0700;
}

namespace {

// A folder of this user's own under `base`: the one of an earlier run when it is still private,
// else a new one with a name nobody else can have taken.
std::filesystem::path MakePrivateFolder(const std::filesystem::path& base)
{
    const std::filesystem::path fixed = base / ("korvanta-runtime-" + std::to_string(::geteuid()));
    if (::mkdir(fixed.c_str(), 0700) == 0 || IsPrivateRuntimeDirectory(fixed)) {
        // mkdir honours the umask; a stricter one is fine, a folder we made must still be 0700.
        ::chmod(fixed.c_str(), 0700);
        if (IsPrivateRuntimeDirectory(fixed)) {
            return fixed;
        }
    }
    // Someone else holds the fixed name (or it is not a folder): take a fresh one.
    std::string pattern = (base / "korvanta-runtime-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

}  // namespace

std::filesystem::path EnsureRuntimeDirectory(const std::filesystem::path& base)
{
    if (const char* current = std::getenv("XDG_RUNTIME_DIR"); current != nullptr && *current != '\0') {
        if (IsPrivateRuntimeDirectory(current)) {
            return current;
        }
    }
    std::error_code error;
    const std::filesystem::path root = base.empty() ? std::filesystem::temp_directory_path(error) : base;
    if (root.empty()) {
        return {};
    }
    const std::filesystem::path folder = MakePrivateFolder(root);
    if (folder.empty() || ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1) != 0) {
        return {};
    }
    return folder;
}

#endif

}  // namespace korvanta
