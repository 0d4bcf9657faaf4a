#pragma once

#include <filesystem>

namespace korvanta {

// Where the program keeps its data files (the default .fd files and its material database
// Database2.bin). In the build tree they lie beside the executable, which is writable, and the
// program works there. Installed, the defaults lie in the prefix's share folder (or beside an
// executable in a folder the user cannot write): the program then works in a folder of the
// user's own, seeded once with copies of the defaults, so that Database2.bin can be written.
struct DataFolder {
    // The defaults beside `programFolder`, else in `programFolder`/../share/korvanta.
    static std::filesystem::path Defaults(const std::filesystem::path& programFolder);
    // The folder to work in; `userFolder` is created and seeded when it is needed. Falls back to
    // the defaults' folder when the user's folder cannot be made.
    static std::filesystem::path Resolve(const std::filesystem::path& programFolder,
                                         const std::filesystem::path& userFolder);
    // $XDG_DATA_HOME/Veltmark/Korvanta, else ~/.local/share/Veltmark/Korvanta; empty without either.
    static std::filesystem::path UserFolder();
    // The folder of the running executable.
    static std::filesystem::path ProgramFolder();
    static bool IsWritable(const std::filesystem::path& folder);
};

}  // namespace korvanta
