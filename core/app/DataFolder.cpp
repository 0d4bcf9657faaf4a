#include "core/app/DataFolder.h"

#include <cstdlib>

#include "core/platform/FolderAccess.h"
#include "core/platform/ProgramFolder.h"

namespace korvanta {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaultsMarker = "mlist.fd";

bool HasDefaults(const fs::path& folder)
{
    std::error_code error;
    return fs::is_regular_file(folder / kDefaultsMarker, error);
}

}  // namespace

fs::path DataFolder::Defaults(const fs::path& programFolder)
{
    if (HasDefaults(programFolder)) {
        return programFolder;
    }
    const fs::path shared = (programFolder / ".." / "share" / "korvanta").lexically_normal();
    return HasDefaults(shared) ? shared : programFolder;
}

bool DataFolder::IsWritable(const fs::path& folder)
{
    return CanWriteInFolder(folder);
}

fs::path DataFolder::Resolve(const fs::path& programFolder, const fs::path& userFolder)
{
    const fs::path defaults = Defaults(programFolder);
    if (defaults == programFolder && IsWritable(programFolder)) {
        return programFolder;
    }
    std::error_code error;
    if (userFolder.empty() || (fs::create_directories(userFolder, error), error) || !IsWritable(userFolder)) {
        return defaults;
    }
    // Seed only what the user has not got: the user's own material database is never replaced.
    for (const fs::directory_entry& entry : fs::directory_iterator(defaults, error)) {
        const fs::path target = userFolder / entry.path().filename();
        std::error_code ignored;
        if (entry.is_regular_file(ignored) && !fs::exists(target, ignored)) {
            fs::copy_file(entry.path(), target, ignored);
        }
    }
    return userFolder;
}

fs::path DataFolder::UserFolder()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
        return fs::path(xdg) / "Veltmark" / "Korvanta";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return fs::path(home) / ".local" / "share" / "Veltmark" / "Korvanta";
    }
    return {};
}

fs::path DataFolder::ProgramFolder()
{
    return korvanta::ProgramFolder();
}

}  // namespace korvanta
